// Cutting an OBJ text into chunks, running a pass over them on threads, and
// the model's groups by index.
#include "model/read_plan.h"

#include <stdlib.h>
#include <string.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

/* Texts below twice this are read in one chunk; chunks are at least this. */
constexpr size_t MIN_CHUNK = (size_t)1 << 20;
/* Chunks per thread: enough that threads that finish early take more. */
constexpr size_t CHUNKS_PER_THREAD = 8;
constexpr unsigned MAX_THREADS = 64;

static unsigned thread_count(const GlmReadOptions& options) {
    if (options.threads) return options.threads < MAX_THREADS ? options.threads : MAX_THREADS;
    const char* setting = getenv("QO_READ_THREADS");
    if (setting && *setting) {
        char* end;
        unsigned long n = strtoul(setting, &end, 10);
        if (*end == '\0' && n >= 1) return n < MAX_THREADS ? (unsigned)n : MAX_THREADS;
    }
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores < MAX_THREADS ? cores : MAX_THREADS;
}

/* Whether a chunk may start at p (just after a line end): its line begins
 * with a keyword, not with something that continues the line before (a
 * number that a face or a vertex read goes on to take, or blanks). */
static bool starts_keyword_line(char c) {
    unsigned char u = (unsigned char)c;
    return ((u | 0x20) >= 'a' && (u | 0x20) <= 'z') || u == '#';
}

/* The first cut at or after `from` and before `before`, or null. */
static const char* find_cut(const char* from, const char* before, const char* end, bool anywhere) {
    if (anywhere) return from < before ? from : nullptr;
    const char* p = from;
    while (p < before) {
        const char* line_end = (const char*)memchr(p - 1, '\n', (size_t)(end - (p - 1)));
        if (!line_end || line_end + 1 >= before) return nullptr;
        p = line_end + 1;
        if (starts_keyword_line(*p)) return p;
        ++p;
    }
    return nullptr;
}

bool glm_plan_read(GlmReadPlan* plan, const char* data, size_t size, bool one_chunk) {
    const char* end = data + size;
    size_t step = plan->options.chunk_bytes;
    plan->threads = one_chunk ? 1 : thread_count(plan->options);
    if (!step && plan->threads > 1 && size >= 2 * MIN_CHUNK) {
        step = size / (CHUNKS_PER_THREAD * plan->threads);
        if (step < MIN_CHUNK) step = MIN_CHUNK;
    }
    size_t capacity = (one_chunk || !step) ? 1 : size / step + 1;
    plan->chunks = new (std::nothrow) GlmChunk[capacity];
    if (!plan->chunks) return false;
    plan->groups.linear = plan->materials.linear = plan->options.names_linear;

    const char* start = data;
    for (size_t i = 1; i < capacity && start < end; i++) {
        /* Cuts at least a byte apart; the first cut after the text's first byte. */
        size_t at = i * step;
        const char* from = data + at > start + 1 ? data + at : start + 1;
        if (from >= end) break;
        const char* before = (size_t)(end - from) > step ? from + step : end;
        const char* cut = find_cut(from, before, end, plan->options.cut_anywhere);
        if (!cut) continue;
        plan->chunks[plan->nchunks].start = start;
        plan->chunks[plan->nchunks++].limit = cut;
        start = cut;
    }
    plan->chunks[plan->nchunks].start = start;
    plan->chunks[plan->nchunks].limit = end;
    plan->chunks[plan->nchunks++].last = true;
    if (plan->threads > plan->nchunks) plan->threads = (unsigned)plan->nchunks;
    plan->chunks[0].counts.groups = &plan->groups;
    for (size_t i = 1; i < plan->nchunks; i++) {
        GlmChunkCounts* counts = &plan->chunks[i].counts;
        counts->groups = &counts->own_groups;
        counts->own_groups.linear = plan->options.names_linear;
        if (glm_names_append(counts->groups, nullptr) == GLM_NO_NAME) return false;
    }
    return true;
}

void glm_run_chunks(GlmReadPlan* plan, void (*work)(GlmChunk* chunk, void* context), void* context) {
    const auto started_at = std::chrono::steady_clock::now();
    std::atomic<size_t> next(0);
    auto take_chunks = [&]() {
        for (size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < plan->nchunks;)
            work(&plan->chunks[i], context);
    };
    std::thread helpers[MAX_THREADS];
    /* Threads beyond the cores would only take turns on them: no more are started. */
    const unsigned cores = std::thread::hardware_concurrency();
    const unsigned running = cores && cores < plan->threads ? cores : plan->threads;
    unsigned started = 0;
    try {
        for (; started + 1 < running; started++) helpers[started] = std::thread(take_chunks);
    } catch (...) {
        /* No more threads to be had: those that started, and this one, do it all. */
    }
    take_chunks();
    for (unsigned i = 0; i < started; i++) helpers[i].join();
    plan->on_threads += std::chrono::duration<double>(std::chrono::steady_clock::now() - started_at).count();
}

/* Groups are recorded in index order, so the record of entry `index` is the next. */
bool glm_plan_record(_GLMmodel* model, GlmReadPlan* plan, uint32_t index) {
    ModelGroup* group = (ModelGroup*)calloc(1, sizeof *group);
    if (!group || !(group->name = strdup(glm_names_at(&plan->groups, index))) || !plan->group_list.push({group, 0})) {
        if (group) free(group->name);
        free(group);
        return false;
    }
    group->next = model->groups; /* newest first */
    model->groups = group;
    model->ngroups++;
    return true;
}

uint32_t glm_plan_group(_GLMmodel* model, GlmReadPlan* plan, const char* name) {
    bool added;
    uint32_t index = glm_names_add(&plan->groups, name, &added);
    if (index == GLM_NO_NAME || !added) return index;
    return glm_plan_record(model, plan, index) ? index : GLM_NO_NAME;
}

GLboolean glm_out_of_memory(GlmReadFailure* failure) {
    return glm_fail(failure, 2, "glmReadOBJ() failed: out of memory.\n");
}
