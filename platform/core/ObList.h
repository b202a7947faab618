// A doubly linked list of CObject pointers.  The list owns its nodes, never
// the elements: removing an element or destroying the list leaves the object
// alive.
#pragma once

#include "platform/core/Object.h"

// A position in a list: an opaque handle to one node, valid until that node
// is removed.  A null position means "past the end".
struct CObListNode;
using POSITION = CObListNode*;

class CObList : public CObject {
    DECLARE_DYNAMIC(CObList)
public:
    CObList() = default;
    ~CObList() override;

    int GetCount() const { return m_nCount; }

    POSITION GetHeadPosition() const { return m_pNodeHead; }
    POSITION GetTailPosition() const { return m_pNodeTail; }
    // Return the element at pos and move pos to the next (previous) node,
    // null after the last (first) one.
    CObject* GetNext(POSITION& pos) const;
    CObject* GetPrev(POSITION& pos) const;

    POSITION AddTail(CObject* element);
    // pos must be a position of this list.
    POSITION InsertBefore(POSITION pos, CObject* element);
    void RemoveAt(POSITION pos);
    // The list must not be empty.
    CObject* RemoveTail();
    void RemoveAll();

    // The first node holding exactly this pointer, or null.
    POSITION Find(const CObject* element) const;

private:
    POSITION m_pNodeHead = nullptr;
    POSITION m_pNodeTail = nullptr;
    int m_nCount = 0;
};
