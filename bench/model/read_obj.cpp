// Reading a large OBJ file: glmReadOBJ (both passes) against tinyobjloader on
// the same file, in one run. The file is a subdivided sphere with positions,
// normals, texture coordinates and faces carrying all three indices, written
// to a temporary directory and removed at the end.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <tiny_obj_loader.h>

#include "model/include2.h"

namespace {

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// This process's CPU time (user + system): what the reading itself costs
// when other work shares the cores.
double cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

struct Timing {
    double wall = 1e30, cpu = 1e30;
};

template <typename F>
void time_best(Timing* best, F&& run) {
    double w0 = now(), c0 = cpu();
    run();
    double c1 = cpu(), w1 = now();
    best->wall = std::min(best->wall, w1 - w0);
    best->cpu = std::min(best->cpu, c1 - c0);
}

// Rings x segments grid on the unit sphere; every grid cell makes two triangles.
void write_sphere(const std::string& path, int rings, int segments) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        perror(path.c_str());
        exit(1);
    }
    static char buffer[1 << 20];
    setvbuf(f, buffer, _IOFBF, sizeof buffer);
    fprintf(f, "# subdivided sphere, %d rings x %d segments\ng sphere\ns 1\n", rings, segments);
    const double pi = 3.14159265358979323846;
    for (int kind = 0; kind < 3; kind++) {
        for (int r = 0; r <= rings; r++) {
            double theta = pi * r / rings;
            for (int s = 0; s <= segments; s++) {
                double phi = 2 * pi * s / segments;
                double x = sin(theta) * cos(phi), y = cos(theta), z = sin(theta) * sin(phi);
                if (kind == 0) fprintf(f, "v %.6f %.6f %.6f\n", x, y, z);
                if (kind == 1) fprintf(f, "vn %.6f %.6f %.6f\n", x, y, z);
                if (kind == 2) fprintf(f, "vt %.6f %.6f\n", (double)s / segments, 1.0 - (double)r / rings);
            }
        }
    }
    for (int r = 0; r < rings; r++) {
        for (int s = 0; s < segments; s++) {
            int a = r * (segments + 1) + s + 1, b = a + 1, c = a + segments + 1, d = c + 1;
            fprintf(f, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", a, a, a, c, c, c, b, b, b);
            fprintf(f, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", b, b, b, c, c, c, d, d, d);
        }
    }
    fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
    int rings = argc > 1 ? atoi(argv[1]) : 708;
    int repeats = argc > 2 ? atoi(argv[2]) : 3;
    char dir[] = "/tmp/qo_bench_obj_XXXXXX";
    if (!mkdtemp(dir)) return 1;
    std::string path = std::string(dir) + "/sphere.obj";
    write_sphere(path, rings, rings);
    struct stat st;
    stat(path.c_str(), &st);
    double mb = st.st_size / 1e6;

    Timing glm, tiny;
    unsigned triangles = 0;
    size_t tiny_indices = 0;
    for (int i = 0; i < repeats; i++) {
        time_best(&glm, [&] {
            _GLMmodel* model = glmReadOBJ(path.c_str());
            triangles = model->ntriangles;
            glmDelete(model);
        });
        time_best(&tiny, [&] {
            tinyobj::attrib_t attrib;
            std::vector<tinyobj::shape_t> shapes;
            std::vector<tinyobj::material_t> materials;
            std::string warn, err;
            if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path.c_str(), dir, true))
                fprintf(stderr, "tinyobjloader: %s\n", err.c_str());
            tiny_indices = shapes.empty() ? 0 : shapes[0].mesh.indices.size();
        });
    }
    unlink(path.c_str());
    rmdir(dir);

    printf("file: %.1f MB, %u triangles (tinyobjloader: %zu corners); best of %d runs\n", mb, triangles,
           tiny_indices, repeats);
    printf("                wall-clock              CPU time\n");
    printf("glmReadOBJ:     %6.3f s %7.1f MB/s    %6.3f s %7.1f MB/s\n", glm.wall, mb / glm.wall, glm.cpu,
           mb / glm.cpu);
    printf("tinyobjloader:  %6.3f s %7.1f MB/s    %6.3f s %7.1f MB/s\n", tiny.wall, mb / tiny.wall, tiny.cpu,
           mb / tiny.cpu);
    printf("ratio glmReadOBJ / tinyobjloader: %.2fx wall-clock, %.2fx CPU time\n", tiny.wall / glm.wall,
           tiny.cpu / glm.cpu);
    return 0;
}
