// Filling, drawing and advancing the swarm.
#include "demo/swarm.h"

#include "demo/run_loop.h"
#include "demo/scene.h"
#include "demo/scene_elements.h"
#include "platform/win32.h"

float kuulax[9][5];
int kuulay[9][5];
int kuulaz[9][5];
float kk[9][5];
float kkk[9][5];
float kuulak[9][5];
int kuu[9][5];

// Five draws per cell, in this order: the layout depends on the runtime
// generator's exact sequence from seed 500.
void scene_fill_swarm() {
    msvcrt::srand(500);
    for (int i = 0; i < 9; i++) {
        for (int j = 0; j < 5; j++) {
            kuulaz[i][j] = -400 - 200 * j;
            kuulay[i][j] = 201 - msvcrt::rand() % 400;
            kuulax[i][j] = (float)(-700 - 200 * i);
            kk[i][j] = (float)(1 - (msvcrt::rand() % 20 + 2) / 10.0);
            kkk[i][j] = (float)((msvcrt::rand() % 60 + 50) / 100.0);
            kuulak[i][j] = (float)(msvcrt::rand() % 70 + 20);
            kuu[i][j] = msvcrt::rand() % 2 + 1;
        }
    }
}

void draw_swarm(GLuint model_list) {
    for (int i = 0; i < 9; i++) {
        for (int j = 0; j < 5; j++) {
            glPushMatrix();
            glTranslatef(kuulax[i][j], (float)kuulay[i][j], (float)kuulaz[i][j]);
            glRotatef(demofloat * kk[i][j], 1, 1, 1);
            glCallList(model_list);
            glPopMatrix();
        }
    }
}

// Every step lands on a whole number; a cell at exactly 900 stays one more frame.
void scene_advance_swarm() {
    for (int i = 0; i < 9; i++) {
        for (int j = 0; j < 5; j++) {
            kuulax[i][j] = kuulax[i][j] + 3.0f;
            if (kuulax[i][j] > 900.0f) kuulax[i][j] = -900.0f;
        }
    }
}
