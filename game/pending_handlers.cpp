// TEMPORARY: placeholder bodies for view handlers whose subsystem is still
// being written, so the program links meanwhile.  Each is deleted here when
// its real definition lands; this file goes away when it is empty.
#include "game/MyKelvoView.h"

