#include "platform/core/ObList.h"

#include <cassert>
#include <utility>

IMPLEMENT_DYNAMIC(CObList, CObject)

struct CObListNode {
    CObListNode* pNext;
    CObListNode* pPrev;
    CObject* data;
};

CObList::~CObList() { RemoveAll(); }

CObject* CObList::GetNext(POSITION& pos) const {
    assert(pos != nullptr);
    return std::exchange(pos, pos->pNext)->data;
}

CObject* CObList::GetPrev(POSITION& pos) const {
    assert(pos != nullptr);
    return std::exchange(pos, pos->pPrev)->data;
}

POSITION CObList::AddTail(CObject* element) {
    POSITION node = new CObListNode{nullptr, m_pNodeTail, element};
    (m_pNodeTail != nullptr ? m_pNodeTail->pNext : m_pNodeHead) = node;
    m_pNodeTail = node;
    ++m_nCount;
    return node;
}

POSITION CObList::InsertBefore(POSITION pos, CObject* element) {
    assert(pos != nullptr);
    POSITION node = new CObListNode{pos, pos->pPrev, element};
    (pos->pPrev != nullptr ? pos->pPrev->pNext : m_pNodeHead) = node;
    pos->pPrev = node;
    ++m_nCount;
    return node;
}

void CObList::RemoveAt(POSITION pos) {
    assert(pos != nullptr);
    (pos == m_pNodeHead ? m_pNodeHead : pos->pPrev->pNext) = pos->pNext;
    (pos == m_pNodeTail ? m_pNodeTail : pos->pNext->pPrev) = pos->pPrev;
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
    while (m_pNodeHead != nullptr) delete std::exchange(m_pNodeHead, m_pNodeHead->pNext);
    m_pNodeTail = nullptr;
    m_nCount = 0;
}

POSITION CObList::Find(const CObject* element) const {
    for (POSITION node = m_pNodeHead; node != nullptr; node = node->pNext) {
        if (node->data == element) return node;
    }
    return nullptr;
}
