// Welding: the grid search of glmWeldVectors against the plain algorithm that
// compares each vector with every unique vector found so far.
//
// The input is shaped like the vertices of a mesh whose triangles were written
// with their own corners: points on a sphere, each repeated three times with a
// jitter far below epsilon, in shuffled order.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

#include "model/include2.h"
#include "tests/support/weld_reference.h"

namespace {

std::vector<GLfloat> meshLikeVertices(size_t n, GLfloat epsilon, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<float> gauss(0, 1);
    std::uniform_real_distribution<float> jitter(-epsilon / 10, epsilon / 10);
    std::vector<GLfloat> points;
    while (points.size() < 3 * n) {
        float x = gauss(rng), y = gauss(rng), z = gauss(rng);
        float l = std::sqrt(x * x + y * y + z * z);
        for (int copy = 0; copy < 3 && points.size() < 3 * n; copy++) {
            points.push_back(x / l + jitter(rng));
            points.push_back(y / l + jitter(rng));
            points.push_back(z / l + jitter(rng));
        }
    }
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; i++) order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    std::vector<GLfloat> v(3, 0.0f);
    for (size_t i : order) v.insert(v.end(), &points[3 * i], &points[3 * i + 3]);
    return v;
}


// Best of `repeats` runs, in seconds; the unique count goes to *unique.
double timeWeld(GLfloat* (*weld)(GLfloat*, GLuint*, GLfloat), const std::vector<GLfloat>& input, GLfloat epsilon,
                int repeats, GLuint* unique) {
    double best = 1e30;
    for (int r = 0; r < repeats; r++) {
        std::vector<GLfloat> v = input;
        GLuint count = (GLuint)(v.size() / 3 - 1);
        auto start = std::chrono::steady_clock::now();
        GLfloat* result = weld(v.data(), &count, epsilon);
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        free(result);
        best = std::min(best, seconds);
        *unique = count;
    }
    return best;
}

}  // namespace

int main() {
    const GLfloat epsilon = 1e-4f;

    std::vector<GLfloat> small = meshLikeVertices(10000, epsilon, 1);
    GLuint directUnique = 0, gridUnique = 0;
    double direct = timeWeld(weldDirectly, small, epsilon, 3, &directUnique);
    double grid = timeWeld(glmWeldVectors, small, epsilon, 3, &gridUnique);
    printf("weld 10,000 vertices (epsilon %g): plain %.3f ms (%u unique), grid %.3f ms (%u unique), plain/grid %.1fx\n",
           epsilon, direct * 1e3, directUnique, grid * 1e3, gridUnique, direct / grid);

    if (directUnique != gridUnique) {
        fprintf(stderr, "weld: the grid and the plain scan disagree\n");
        return 1;
    }

    std::vector<GLfloat> large = meshLikeVertices(1000000, epsilon, 2);
    GLuint largeUnique = 0;
    double gridLarge = timeWeld(glmWeldVectors, large, epsilon, 1, &largeUnique);
    printf("weld 1,000,000 vertices (epsilon %g): grid %.3f s (%u unique); the plain scan is not run\n", epsilon,
           gridLarge, largeUnique);
    return 0;
}
