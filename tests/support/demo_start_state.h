// The state the demo's start-up leaves before its first frame, for tests
// that draw the scene's elements themselves.
#ifndef QO_TESTS_SUPPORT_DEMO_START_STATE_H
#define QO_TESTS_SUPPORT_DEMO_START_STATE_H

// On the current 1024x768 context, from the data in data_dir (made the
// working directory): the model prepared, the projection, the fixed GL
// state, the textures, colour material and blending. False on any failure.
bool set_demo_start_state(const char* data_dir);

#endif
