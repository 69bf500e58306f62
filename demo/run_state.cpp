// The run loop's process-wide state.
#include "demo/run_loop.h"

GLUquadricObj* cyl = nullptr;
float inittime = 0;
float currentTime = 0;
DWORD m_dwCurrentTime = 0;
DWORD m_dwLastTime = 0;
int demofloat = 0;
float helppoheikki = 0;
float taimeri = 0;
