// The root of everything that receives messages and commands: windows and
// the application.  A class states what it handles in a message map, a
// table written in the class's .cpp file between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP.  Lookup starts in the map of the object's own class,
// walks each map top to bottom (the first matching line wins) and then goes
// on to the base class's map; a message found nowhere gets default
// processing.
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/WinDefs.h"

class CCmdTarget;
class CWnd;

// One line of a message map: the message (WM_COMMAND for a command), the
// command id, and the call that unpacks wParam/lParam for the handler.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;  // command id for WM_COMMAND lines, 0 otherwise
    LRESULT (*pfnCall)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);  // null ends the map
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled instead of calling the handler when a caller only asks whether a
// command has one.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Offers command nID to this object's message map.  TRUE when a handler
    // took it (or, with pHandlerInfo, when one exists; it is then not called).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first line for the message (and, for WM_COMMAND, for the id) in
    // this object's maps, most derived class first; null when none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT id) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Handlers are plain member functions; the marker only helps the reader.
#define afx_msg

// --- the message map table -------------------------------------------------

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                               \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }       \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                       \
        using ThisClass = theClass;                                                         \
        using TheBaseClass = baseClass;                                                     \
        static_assert(sizeof(ThisClass) > 0);                                               \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                                   \
    {0, 0, nullptr}};                                                                       \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries};       \
    return &messageMap;                                                                     \
    }

// Unpacking of each message's parameters for its handler's signature.
namespace afxmsg {
template <class T>
struct MemberOwner;
template <class C, class R, class... A>
struct MemberOwner<R (C::*)(A...)> {
    using type = C;
};
template <auto Handler>
auto* Target(CCmdTarget* target) {
    return static_cast<typename MemberOwner<decltype(Handler)>::type*>(target);
}
inline CPoint PointOf(LPARAM lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

template <auto Handler>  // void ()
LRESULT CallVoid(CCmdTarget* target, WPARAM, LPARAM) {
    (Target<Handler>(target)->*Handler)();
    return 0;
}
template <auto Handler>  // int (LPCREATESTRUCT)
LRESULT CallCreate(CCmdTarget* target, WPARAM, LPARAM lParam) {
    return (Target<Handler>(target)->*Handler)(reinterpret_cast<LPCREATESTRUCT>(lParam));
}
template <auto Handler>  // void (UINT nFlags, CPoint point)
LRESULT CallMouse(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
    (Target<Handler>(target)->*Handler)(static_cast<UINT>(wParam), PointOf(lParam));
    return 0;
}
template <auto Handler>  // void (CWnd* other)
LRESULT CallFocus(CCmdTarget* target, WPARAM wParam, LPARAM) {
    (Target<Handler>(target)->*Handler)(reinterpret_cast<CWnd*>(wParam));
    return 0;
}
template <auto Handler>  // void (UINT_PTR nIDEvent)
LRESULT CallTimer(CCmdTarget* target, WPARAM wParam, LPARAM) {
    (Target<Handler>(target)->*Handler)(static_cast<UINT_PTR>(wParam));
    return 0;
}
template <auto Handler>  // void (UINT nType, int cx, int cy)
LRESULT CallSize(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
    (Target<Handler>(target)->*Handler)(static_cast<UINT>(wParam), static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                                        static_cast<int>(HIWORD(static_cast<std::uintptr_t>(lParam))));
    return 0;
}
template <auto Handler>  // LRESULT (WPARAM, LPARAM)
LRESULT CallRaw(CCmdTarget* target, WPARAM wParam, LPARAM lParam) {
    return (Target<Handler>(target)->*Handler)(wParam, lParam);
}
}  // namespace afxmsg

#define ON_WM_CREATE() {WM_CREATE, 0, &afxmsg::CallCreate<&ThisClass::OnCreate>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, &afxmsg::CallVoid<&ThisClass::OnDestroy>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, &afxmsg::CallVoid<&ThisClass::OnClose>},
#define ON_WM_PAINT() {WM_PAINT, 0, &afxmsg::CallVoid<&ThisClass::OnPaint>},
#define ON_WM_SIZE() {WM_SIZE, 0, &afxmsg::CallSize<&ThisClass::OnSize>},
#define ON_WM_CANCELMODE() {WM_CANCELMODE, 0, &afxmsg::CallVoid<&ThisClass::OnCancelMode>},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, &afxmsg::CallFocus<&ThisClass::OnSetFocus>},
#define ON_WM_KILLFOCUS() {WM_KILLFOCUS, 0, &afxmsg::CallFocus<&ThisClass::OnKillFocus>},
#define ON_WM_TIMER() {WM_TIMER, 0, &afxmsg::CallTimer<&ThisClass::OnTimer>},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, &afxmsg::CallMouse<&ThisClass::OnMouseMove>},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, &afxmsg::CallMouse<&ThisClass::OnLButtonDown>},
#define ON_WM_LBUTTONUP() {WM_LBUTTONUP, 0, &afxmsg::CallMouse<&ThisClass::OnLButtonUp>},
#define ON_WM_LBUTTONDBLCLK() {WM_LBUTTONDBLCLK, 0, &afxmsg::CallMouse<&ThisClass::OnLButtonDblClk>},
#define ON_WM_RBUTTONDOWN() {WM_RBUTTONDOWN, 0, &afxmsg::CallMouse<&ThisClass::OnRButtonDown>},
#define ON_WM_RBUTTONUP() {WM_RBUTTONUP, 0, &afxmsg::CallMouse<&ThisClass::OnRButtonUp>},
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, static_cast<UINT>(id), &afxmsg::CallVoid<&ThisClass::memberFxn>},
#define ON_MESSAGE(message, memberFxn) {static_cast<UINT>(message), 0, &afxmsg::CallRaw<&ThisClass::memberFxn>},
