// Reading OBJ files with glmReadOBJ, in one run:
//
// 1. A large file (a subdivided sphere with positions, normals, texture
//    coordinates and faces carrying all three indices) read on one thread,
//    on two, and on eight (more threads than this machine may have), against
//    tinyobjloader on the same file; runs alternate, and the medians and the
//    best runs are shown, with the ratios. Then the share of a one-thread
//    read that the work on the calling thread alone makes (cutting, joining,
//    mapping the file), with the speed-up it allows on more cores (Amdahl's
//    law); a file just large enough to be cut, on one thread and on two; and
//    each reader's peak memory, each in a process of its own, ours split into
//    the mapped file and the model's arrays.
// 2. Files with very many groups (one face each) and very many "usemtl"
//    lines: names found by hash, beside the same reading with names found by
//    searching in order (as a plain list search finds them), on a size that
//    search can finish, and by hash alone on a million.
//
// Usage: bench_read_obj [RINGS [RUNS]] (default 708 rings: about 105 MB; 5 runs).
// Files are written to a temporary directory and removed at the end.
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include <tiny_obj_loader.h>

#include "model/include2.h"
#include "model/read_obj.h"

namespace {

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// This process's CPU time (user + system, every thread): what the reading
// itself costs when other work shares the cores.
double cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

struct Runs {
    std::vector<double> wall, cpu;
};

template <typename F>
void time_run(Runs* runs, F&& run) {
    double w0 = now(), c0 = cpu();
    run();
    double c1 = cpu(), w1 = now();
    runs->wall.push_back(w1 - w0);
    runs->cpu.push_back(c1 - c0);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

FILE* create(const std::string& path) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        perror(path.c_str());
        exit(1);
    }
    static char buffer[1 << 20];
    setvbuf(f, buffer, _IOFBF, sizeof buffer);
    return f;
}

// Rings x segments grid on the unit sphere; every grid cell makes two triangles.
void write_sphere(const std::string& path, int rings, int segments) {
    FILE* f = create(path);
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

// `groups` groups of one triangle each.
void write_groups(const std::string& path, int groups) {
    FILE* f = create(path);
    fprintf(f, "v 0 0 0\nv 1 0 0\nv 0 1 0\n");
    for (int i = 0; i < groups; i++) fprintf(f, "g part%d\nf 1 2 3\n", i);
    fclose(f);
}

// `lines` "usemtl" lines, each before a triangle, over `materials` materials
// in a library beside it, in a scattered order.
void write_usemtl(const std::string& dir, const std::string& name, int lines, int materials) {
    FILE* f = create(dir + "/" + name + ".mtl");
    for (int i = 0; i < materials; i++) fprintf(f, "newmtl material%d\nKd 0.5 0.5 0.5\n", i);
    fclose(f);
    f = create(dir + "/" + name + ".obj");
    fprintf(f, "mtllib %s.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n", name.c_str());
    for (int i = 0; i < lines; i++) fprintf(f, "usemtl material%d\nf 1 2 3\n", (int)(((long)i * 7919) % materials));
    fclose(f);
}

double file_mb(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_size / 1e6 : 0;
}

unsigned read_glm(const std::string& path, const GlmReadOptions& options = GlmReadOptions()) {
    _GLMmodel* model = glm_read_obj(path.c_str(), options);
    unsigned triangles = model->ntriangles;
    glmDelete(model);
    return triangles;
}

// Alternating runs of each way of reading.
struct Ways {
    Runs one, two, eight, tiny;
    std::vector<double> serial;  // seconds of two-thread reads not spent running chunks
    unsigned triangles = 0;
    size_t corners = 0;
};

void read_tiny(const std::string& path, const std::string& dir, size_t* corners) {
    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn, err;
    if (!tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, path.c_str(), dir.c_str(), true))
        fprintf(stderr, "tinyobjloader: %s\n", err.c_str());
    *corners = shapes.empty() ? 0 : shapes[0].mesh.indices.size();
}

Ways time_ways(const std::string& path, const std::string& dir, int runs) {
    Ways w;
    GlmReadOptions one, two, eight;
    GlmReadTimes times;
    one.threads = 1, two.threads = 2, eight.threads = 8;
    two.times = &times;
    for (int i = 0; i < runs; i++) {
        time_run(&w.one, [&] { w.triangles = read_glm(path, one); });
        time_run(&w.two, [&] { w.triangles = read_glm(path, two); });
        w.serial.push_back(w.two.wall.back() - times.on_threads);
        time_run(&w.eight, [&] { w.triangles = read_glm(path, eight); });
        time_run(&w.tiny, [&] { read_tiny(path, dir, &w.corners); });
    }
    return w;
}

// A line of /proc/self/status, in kB.
long status_kb(const char* key) {
    FILE* f = fopen("/proc/self/status", "r");
    char line[256];
    long value = -1;
    size_t n = strlen(key);
    while (f && fgets(line, sizeof line, f))
        if (strncmp(line, key, n) == 0 && line[n] == ':') value = atol(line + n + 1);
    if (f) fclose(f);
    return value;
}

// Peak memory of reading `path` with `reader` ("glm" or "tiny") in a fresh
// process: this program run again with --peak. MB above what the process held
// before reading; for glm also the anonymous memory it holds after (the
// model's arrays: the file is unmapped by then).
void peak_memory(const char* reader, const std::string& path, double* peak, double* arrays) {
    std::string command = "/proc/" + std::to_string(getpid()) + "/exe --peak " + reader + " " + path;
    FILE* p = popen(command.c_str(), "r");
    if (!p || fscanf(p, "%lf %lf", peak, arrays) != 2) *peak = *arrays = -1;
    if (p) pclose(p);
}

int peak_run(const char* reader, const char* path) {
    long before = status_kb("VmRSS"), anon = status_kb("RssAnon");
    size_t corners;
    if (strcmp(reader, "glm") == 0) glmReadOBJ(path);
    else read_tiny(path, ".", &corners);
    printf("%.1f %.1f\n", (status_kb("VmHWM") - before) / 1e3, (status_kb("RssAnon") - anon) / 1e3);
    return 0;
}

void sphere_section(const std::string& dir, int rings, int runs) {
    const std::string path = dir + "/sphere.obj";
    write_sphere(path, rings, rings);
    const double mb = file_mb(path);
    Ways w = time_ways(path, dir, runs);

    printf("file: %.1f MB, %u triangles (tinyobjloader: %zu corners); %d alternating runs\n", mb, w.triangles,
           w.corners, runs);
    printf("                          median wall-clock    best wall-clock      median CPU time\n");
    auto row = [&](const char* name, const Runs& r) {
        printf("%-24s %6.3f s %7.1f MB/s %6.3f s %7.1f MB/s %6.3f s %7.1f MB/s\n", name, median(r.wall),
               mb / median(r.wall), best(r.wall), mb / best(r.wall), median(r.cpu), mb / median(r.cpu));
    };
    row("glmReadOBJ, 1 thread", w.one);
    row("glmReadOBJ, 2 threads", w.two);
    row("glmReadOBJ, 8 threads", w.eight);
    row("tinyobjloader", w.tiny);
    const double one = median(w.one.wall), two = median(w.two.wall), tiny = median(w.tiny.wall);
    printf("glmReadOBJ 2 threads / 1 thread: %.2fx median wall-clock (%.2fx best); 8 threads / 2: %.2fx\n", one / two,
           best(w.one.wall) / best(w.two.wall), two / median(w.eight.wall));
    printf("glmReadOBJ / tinyobjloader: 1 thread %.2fx, 2 threads %.2fx median wall-clock (best: %.2fx, %.2fx)\n",
           tiny / one, tiny / two, best(w.tiny.wall) / best(w.one.wall), best(w.tiny.wall) / best(w.two.wall));

    // Amdahl: a share s that stays on one thread caps n cores at 1 / (s + (1 - s) / n).
    const double s = median(w.serial) / one;
    printf("on the calling thread alone (mapping, cutting, joining): %.1f ms, %.1f%% of a one-thread read;\n",
           1e3 * median(w.serial), 100 * s);
    printf("  speed-up it allows: 4 cores %.1fx, 16 cores %.1fx, 64 cores %.1fx\n", 1 / (s + (1 - s) / 4),
           1 / (s + (1 - s) / 16), 1 / (s + (1 - s) / 64));

    double glm_peak, glm_arrays, tiny_peak, unused;
    peak_memory("glm", path, &glm_peak, &glm_arrays);
    peak_memory("tiny", path, &tiny_peak, &unused);
    printf("peak memory: glmReadOBJ %.0f MB (the mapped file %.0f MB, the model's arrays %.0f MB), "
           "tinyobjloader %.0f MB\n", glm_peak, mb, glm_arrays, tiny_peak);
    unlink(path.c_str());

    // The smallest text that is cut into chunks: two threads must not lose.
    const std::string small = dir + "/small.obj";
    write_sphere(small, 110, 110);
    Ways sw = time_ways(small, dir, 4 * runs);
    printf("%.1f MB file: 1 thread %.2f ms, 2 threads %.2f ms median (%.2fx)\n", file_mb(small),
           1e3 * median(sw.one.wall), 1e3 * median(sw.two.wall), median(sw.one.wall) / median(sw.two.wall));
    unlink(small.c_str());
}

// Seconds to read `path` once, with names found by hash or by searching.
double time_names(const std::string& path, bool searched) {
    GlmReadOptions options;
    options.names_linear = searched;
    double start = now();
    read_glm(path, options);
    double seconds = now() - start;
    return seconds;
}

void names_section(const std::string& dir) {
    printf("\nnames (default threads): by hash, and by searching in order\n");
    for (int groups : {20000, 1000000}) {
        const std::string path = dir + "/groups.obj";
        write_groups(path, groups);
        const double hashed = time_names(path, false);
        if (groups <= 20000) {
            const double searched = time_names(path, true);
            printf("%8d groups of one face:           hash %7.3f s, search %7.3f s (%.0fx)\n", groups, hashed,
                   searched, searched / hashed);
        } else {
            printf("%8d groups of one face:           hash %7.3f s\n", groups, hashed);
        }
        unlink(path.c_str());
    }
    const struct {
        int lines, materials;
    } usemtl[] = {{20000, 20000}, {1000000, 100000}};
    for (const auto& u : usemtl) {
        write_usemtl(dir, "usemtl", u.lines, u.materials);
        const std::string path = dir + "/usemtl.obj";
        const double hashed = time_names(path, false);
        if (u.lines <= 20000) {
            const double searched = time_names(path, true);
            printf("%8d usemtl over %6d materials: hash %7.3f s, search %7.3f s (%.0fx)\n", u.lines, u.materials,
                   hashed, searched, searched / hashed);
        } else {
            printf("%8d usemtl over %6d materials: hash %7.3f s\n", u.lines, u.materials, hashed);
        }
        unlink(path.c_str());
        unlink((dir + "/usemtl.mtl").c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && strcmp(argv[1], "--peak") == 0) return peak_run(argv[2], argv[3]);
    int rings = argc > 1 ? atoi(argv[1]) : 708;
    int runs = argc > 2 ? atoi(argv[2]) : 5;
    char dir[] = "/tmp/qo_bench_obj_XXXXXX";
    if (!mkdtemp(dir)) return 1;
    sphere_section(dir, rings, runs);
    names_section(dir);
    rmdir(dir);
    return 0;
}
