// The run loop's process-wide state, read by the scene and the fade.
#ifndef QO_DEMO_RUN_LOOP_H
#define QO_DEMO_RUN_LOOP_H

#include <GL/glu.h>

#include "platform/win32.h"

extern GLUquadricObj* cyl;      // made at start-up; no frame draws with it
extern float inittime;          // tick count at start-up, as float
extern float currentTime;       // running time in ms, taken once per frame
extern DWORD m_dwCurrentTime;   // multimedia time at which this frame's wait ended
extern DWORD m_dwLastTime;      // the previous frame's m_dwCurrentTime
extern int demofloat;           // frames presented so far
extern float helppoheikki;      // tick count at start-up, second reading
extern float taimeri;           // tick count at each frame

// The fixed GL state set once after the window opens.
void set_fixed_gl_state();

#endif
