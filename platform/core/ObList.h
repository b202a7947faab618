// A doubly linked list of CObject pointers.  The list owns its nodes, never
// the elements: removing an element or destroying the list leaves the object
// alive.  Nodes come from blocks of blockSize nodes, reused through a free
// list; the blocks are given back when the list becomes empty.
#pragma once

#include <memory>
#include <vector>

#include "platform/core/Object.h"

// A position in a list: an opaque handle to one node, valid until that node
// is removed.  A null position means "past the end".
struct __POSITION;
using POSITION = __POSITION*;

class CObList : public CObject {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(int blockSize = 10);
    ~CObList() override;

    int GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    // Return the element at pos and move pos to the next (previous) node,
    // null after the last (first) one.
    CObject*& GetNext(POSITION& pos);
    CObject* GetNext(POSITION& pos) const;
    CObject*& GetPrev(POSITION& pos);
    CObject* GetPrev(POSITION& pos) const;
    CObject*& GetAt(POSITION pos);
    CObject* GetAt(POSITION pos) const;
    // The list must not be empty.
    CObject* GetHead() const;
    CObject* GetTail() const;

    POSITION AddHead(CObject* element);
    POSITION AddTail(CObject* element);
    // pos null: AddHead (InsertBefore) or AddTail (InsertAfter).
    POSITION InsertBefore(POSITION pos, CObject* element);
    POSITION InsertAfter(POSITION pos, CObject* element);
    void RemoveAt(POSITION pos);
    CObject* RemoveHead();
    CObject* RemoveTail();
    void RemoveAll();

    // The first node holding exactly this pointer, searching from the head or
    // after startAfter; null when not found.
    POSITION Find(const CObject* element, POSITION startAfter = nullptr) const;
    // The node at a zero-based index, null when out of range.
    POSITION FindIndex(int index) const;

    // Storing: the count, then every element as an object with its class
    // record.  Loading appends what it reads; when an element cannot be read
    // the elements this load made are destroyed and the list is as before.
    void Serialize(CArchive& archive) override;
    // Destroys an object that a load made and, when it is a plain list
    // (which does not own its elements), everything it holds, all the way down.
    static void DestroyLoaded(CObject* object);

private:
    struct Node;
    Node* NewNode(Node* prev, Node* next, CObject* element);
    void FreeNode(Node* node);
    static Node* ToNode(POSITION pos);
    static POSITION ToPosition(Node* node);

    Node* m_pNodeHead = nullptr;
    Node* m_pNodeTail = nullptr;
    int m_nCount = 0;
    Node* m_pNodeFree = nullptr;
    int m_nBlockSize;
    std::vector<std::unique_ptr<Node[]>> m_blocks;
};
