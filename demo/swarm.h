// The swarm: 9 columns by 5 depth rows of spinning copies of the model,
// drifting left to right.
#ifndef QO_DEMO_SWARM_H
#define QO_DEMO_SWARM_H

#include <GL/gl.h>

// Indexed [column i][row j]: entry i * 5 + j.
extern float kuulax[9][5];  // x position; +3 per frame
extern int kuulay[9][5];    // y position
extern int kuulaz[9][5];    // z position, by row
extern float kk[9][5];      // spin, degrees per frame
extern float kkk[9][5];     // unused, but its draws keep their place in the sequence
extern float kuulak[9][5];  // unused, likewise
extern int kuu[9][5];       // unused, likewise

#endif
