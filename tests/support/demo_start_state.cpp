#include "tests/support/demo_start_state.h"

#include <GL/gl.h>
#include <unistd.h>

#include "demo/run_loop.h"
#include "demo/scene.h"
#include "window/gl_window.h"

bool set_demo_start_state(const char* data_dir) {
    if (chdir(data_dir) != 0) return false;
    scene_prepare_model();
    ReSizeGLScene(1024, 768);
    set_fixed_gl_state();
    scene_load_textures();
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return glGetError() == GL_NO_ERROR;
}
