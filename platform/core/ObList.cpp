#include "platform/core/ObList.h"

#include <cassert>

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)

struct CObList::Node {
    Node* pNext;
    Node* pPrev;
    CObject* data;
};

CObList::CObList(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}

CObList::~CObList() { RemoveAll(); }

CObList::Node* CObList::ToNode(POSITION pos) { return reinterpret_cast<Node*>(pos); }
POSITION CObList::ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }

CObList::Node* CObList::NewNode(Node* prev, Node* next, CObject* element) {
    if (m_pNodeFree == nullptr) {
        // A fresh block goes onto the free list whole; nodes leave it one by one.
        auto block = std::make_unique<Node[]>(static_cast<std::size_t>(m_nBlockSize));
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            block[static_cast<std::size_t>(i)].pNext = m_pNodeFree;
            m_pNodeFree = &block[static_cast<std::size_t>(i)];
        }
        m_blocks.push_back(std::move(block));
    }
    Node* node = m_pNodeFree;
    m_pNodeFree = node->pNext;
    *node = Node{next, prev, element};
    ++m_nCount;
    return node;
}

void CObList::FreeNode(Node* node) {
    node->pNext = m_pNodeFree;
    m_pNodeFree = node;
    --m_nCount;
    // An empty list holds no memory, as after RemoveAll.
    if (m_nCount == 0) RemoveAll();
}

POSITION CObList::GetHeadPosition() const { return ToPosition(m_pNodeHead); }
POSITION CObList::GetTailPosition() const { return ToPosition(m_pNodeTail); }

CObject*& CObList::GetNext(POSITION& pos) {
    Node* node = ToNode(pos);
    assert(node != nullptr);
    pos = ToPosition(node->pNext);
    return node->data;
}

CObject* CObList::GetNext(POSITION& pos) const {
    const Node* node = ToNode(pos);
    assert(node != nullptr);
    pos = ToPosition(node->pNext);
    return node->data;
}

CObject*& CObList::GetPrev(POSITION& pos) {
    Node* node = ToNode(pos);
    assert(node != nullptr);
    pos = ToPosition(node->pPrev);
    return node->data;
}

CObject* CObList::GetPrev(POSITION& pos) const {
    const Node* node = ToNode(pos);
    assert(node != nullptr);
    pos = ToPosition(node->pPrev);
    return node->data;
}

CObject*& CObList::GetAt(POSITION pos) {
    assert(pos != nullptr);
    return ToNode(pos)->data;
}

CObject* CObList::GetAt(POSITION pos) const {
    assert(pos != nullptr);
    return ToNode(pos)->data;
}

CObject* CObList::GetHead() const {
    assert(m_pNodeHead != nullptr);
    return m_pNodeHead->data;
}

CObject* CObList::GetTail() const {
    assert(m_pNodeTail != nullptr);
    return m_pNodeTail->data;
}

POSITION CObList::AddHead(CObject* element) {
    Node* node = NewNode(nullptr, m_pNodeHead, element);
    if (m_pNodeHead != nullptr) m_pNodeHead->pPrev = node;
    else m_pNodeTail = node;
    m_pNodeHead = node;
    return ToPosition(node);
}

POSITION CObList::AddTail(CObject* element) {
    Node* node = NewNode(m_pNodeTail, nullptr, element);
    if (m_pNodeTail != nullptr) m_pNodeTail->pNext = node;
    else m_pNodeHead = node;
    m_pNodeTail = node;
    return ToPosition(node);
}

POSITION CObList::InsertBefore(POSITION pos, CObject* element) {
    if (pos == nullptr) return AddHead(element);
    Node* old = ToNode(pos);
    Node* node = NewNode(old->pPrev, old, element);
    if (old->pPrev != nullptr) old->pPrev->pNext = node;
    else m_pNodeHead = node;
    old->pPrev = node;
    return ToPosition(node);
}

POSITION CObList::InsertAfter(POSITION pos, CObject* element) {
    if (pos == nullptr) return AddTail(element);
    Node* old = ToNode(pos);
    Node* node = NewNode(old, old->pNext, element);
    if (old->pNext != nullptr) old->pNext->pPrev = node;
    else m_pNodeTail = node;
    old->pNext = node;
    return ToPosition(node);
}

void CObList::RemoveAt(POSITION pos) {
    Node* node = ToNode(pos);
    assert(node != nullptr);
    if (node == m_pNodeHead) m_pNodeHead = node->pNext;
    else node->pPrev->pNext = node->pNext;
    if (node == m_pNodeTail) m_pNodeTail = node->pPrev;
    else node->pNext->pPrev = node->pPrev;
    FreeNode(node);
}

CObject* CObList::RemoveHead() {
    CObject* element = GetHead();
    RemoveAt(GetHeadPosition());
    return element;
}

CObject* CObList::RemoveTail() {
    CObject* element = GetTail();
    RemoveAt(GetTailPosition());
    return element;
}

void CObList::RemoveAll() {
    m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
    m_nCount = 0;
    m_blocks.clear();
}

POSITION CObList::Find(const CObject* element, POSITION startAfter) const {
    const Node* node = startAfter != nullptr ? ToNode(startAfter)->pNext : m_pNodeHead;
    for (; node != nullptr; node = node->pNext) {
        if (node->data == element) return ToPosition(const_cast<Node*>(node));
    }
    return nullptr;
}

POSITION CObList::FindIndex(int index) const {
    if (index < 0 || index >= m_nCount) return nullptr;
    Node* node = m_pNodeHead;
    while (index-- > 0) node = node->pNext;
    return ToPosition(node);
}

void CObList::Serialize(CArchive& archive) {
    CObject::Serialize(archive);
    if (archive.IsStoring()) {
        archive.WriteCount(static_cast<DWORD>(m_nCount));
        for (const Node* node = m_pNodeHead; node != nullptr; node = node->pNext) {
            archive.WriteObject(node->data);
        }
        return;
    }
    // The count is untrusted: a bad or short stream ends the loop through
    // IsBad long before a huge count would.
    int added = 0;
    for (DWORD remaining = archive.ReadCount(); remaining > 0; --remaining) {
        CObject* element = archive.ReadObject(RUNTIME_CLASS(CObject));
        if (archive.IsBad()) break;
        AddTail(element);
        ++added;
    }
    if (!archive.IsBad()) return;
    // Nobody else knows the objects this load made: destroy them and leave
    // the list as it was.
    for (; added > 0; --added) DestroyLoaded(RemoveTail());
}

// A list read whole inside one that failed later would otherwise leave its
// elements to nobody.  Subclasses that own their elements destroy them
// themselves.
void CObList::DestroyLoaded(CObject* object) {
    if (object != nullptr && object->GetRuntimeClass() == RUNTIME_CLASS(CObList)) {
        auto* list = static_cast<CObList*>(object);
        while (!list->IsEmpty()) DestroyLoaded(list->RemoveTail());
    }
    delete object;
}
