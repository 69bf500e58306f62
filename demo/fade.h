// The black fade overlay and the frame counter.
#ifndef QO_DEMO_FADE_H
#define QO_DEMO_FADE_H

extern float mustuus;  // opacity of the black overlay; stepped, never clamped

void musta(float alpha);
// One fade step of a frame: thins the overlay before 10 s, thickens it from 258 s to 268 s.
void fade_step();
int Get_FPS();

#endif
