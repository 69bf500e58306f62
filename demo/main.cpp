// The demo's entry: start-up, the frame loop and shutdown.
#include <GL/gl.h>
#include <GL/glu.h>
#include <stdio.h>
#include <string.h>

#include "demo/fade.h"
#include "demo/run_loop.h"
#include "demo/scene.h"
#include "window/gl_window.h"

int main() {
    GLuint model_list;
    MSG msg;
    char title[20];

    scene_prepare_model();
    if (!CreateGLWindow("Qo", 1024, 768, 32, true)) return 0;
    set_fixed_gl_state();
    scene_load_textures();

    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    cyl = gluNewQuadric();
    gluQuadricDrawStyle(cyl, GLU_FILL);
    gluQuadricNormals(cyl, GLU_SMOOTH);
    gluQuadricOrientation(cyl, GLU_OUTSIDE);

    scene_fill_swarm();
    model_list = scene_model_list();

    inittime = (float)GetTickCount();
    helppoheikki = (float)GetTickCount();
    mciSendStringA("play musakki.mp3", nullptr, 0, nullptr);

    for (;;) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            continue;
        }

        memset(title, 0, sizeof title);
        snprintf(title, sizeof title, "%i", Get_FPS());
        SetWindowTextA(hWnd, title);

        // Spin until at least 32 ms of multimedia time have passed; unsigned, so a wrap is harmless.
        m_dwLastTime = m_dwCurrentTime;
        m_dwCurrentTime = timeGetTime();
        while (m_dwCurrentTime - m_dwLastTime <= 31) m_dwCurrentTime = timeGetTime();

        currentTime = (float)((double)GetTickCount() - inittime);
        taimeri = (float)GetTickCount();

        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        scene_draw(model_list);
        fade_step();

        // The frame that ends the run is drawn but never shown.
        if (currentTime > 268000.0 || keys[27]) break;

        demofloat = demofloat + 1;
        scene_advance_swarm();
        SwapBuffers(hDC);
    }

    mciSendStringA("stop musakki.mp3", nullptr, 0, nullptr);
    mciSendStringA("close musakki.mp3", nullptr, 0, nullptr);
    return 0;
}
