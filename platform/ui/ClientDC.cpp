#include "platform/ui/ClientDC.h"

#include "platform/ui/SurfaceDCImpl.h"

CClientDC::CClientDC(CWnd* pWnd) : CSurfaceDC(pWnd) {}

CClientDC::~CClientDC() { Impl()->Present(); }
