// TEMPORARY: placeholder bodies for view handlers whose subsystem is still
// being written, so the program links meanwhile.  Each is deleted here when
// its real definition lands; this file goes away when it is empty.
#include "game/MyKelvoView.h"

BOOL CMyKelvoView::OnPreparePrinting(CPrintInfo*) { return FALSE; }
void CMyKelvoView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CMyKelvoView::OnPrint(CDC*, CPrintInfo*) {}
void CMyKelvoView::OnEndPrinting(CDC*, CPrintInfo*) {}
void CMyKelvoView::OnKeyDown(UINT, UINT, UINT) {}
void CMyKelvoView::OnTimer(UINT_PTR) {}
void CMyKelvoView::OnLButtonDown(UINT, CPoint) {}
void CMyKelvoView::OnLButtonUp(UINT, CPoint) {}
void CMyKelvoView::OnRButtonDown(UINT, CPoint) {}
