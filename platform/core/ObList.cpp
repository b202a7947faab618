#include "platform/core/ObList.h"

#include <cassert>

IMPLEMENT_DYNAMIC(CObList, CObject)

struct CObListNode {
    CObListNode* pNext;
    CObListNode* pPrev;
    CObject* data;
};

CObList::~CObList() { RemoveAll(); }

CObject* CObList::GetNext(POSITION& pos) const {
    assert(pos != nullptr);
    const CObListNode* node = pos;
    pos = node->pNext;
    return node->data;
}

CObject* CObList::GetPrev(POSITION& pos) const {
    assert(pos != nullptr);
    const CObListNode* node = pos;
    pos = node->pPrev;
    return node->data;
}

POSITION CObList::AddTail(CObject* element) {
    POSITION node = new CObListNode{nullptr, m_pNodeTail, element};
    if (m_pNodeTail != nullptr) {
        m_pNodeTail->pNext = node;
    } else {
        m_pNodeHead = node;
    }
    m_pNodeTail = node;
    ++m_nCount;
    return node;
}

POSITION CObList::InsertBefore(POSITION pos, CObject* element) {
    assert(pos != nullptr);
    POSITION node = new CObListNode{pos, pos->pPrev, element};
    if (pos->pPrev != nullptr) {
        pos->pPrev->pNext = node;
    } else {
        m_pNodeHead = node;
    }
    pos->pPrev = node;
    ++m_nCount;
    return node;
}

void CObList::RemoveAt(POSITION pos) {
    assert(pos != nullptr);
    // Unlink the node from its neighbours, or from the list's ends where it
    // has none on that side.
    if (pos == m_pNodeHead) {
        m_pNodeHead = pos->pNext;
    } else {
        pos->pPrev->pNext = pos->pNext;
    }
    if (pos == m_pNodeTail) {
        m_pNodeTail = pos->pPrev;
    } else {
        pos->pNext->pPrev = pos->pPrev;
    }
    delete pos;
    --m_nCount;
}

CObject* CObList::RemoveTail() {
    assert(m_pNodeTail != nullptr);
    CObject* element = m_pNodeTail->data;
    RemoveAt(m_pNodeTail);
    return element;
}

void CObList::RemoveAll() {
    while (m_pNodeHead != nullptr) {
        CObListNode* next = m_pNodeHead->pNext;
        delete m_pNodeHead;
        m_pNodeHead = next;
    }
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

POSITION CObList::Find(const CObject* element) const {
    for (POSITION node = m_pNodeHead; node != nullptr; node = node->pNext) {
        if (node->data == element) return node;
    }
    return nullptr;
}
