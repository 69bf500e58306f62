#include "fixedgl/list_indexing.h"

#include <string.h>

#include <unordered_map>

namespace {

struct VertexBytes {
    const Vertex* v;
};

struct HashBytes {
    size_t operator()(const VertexBytes& k) const {
        // FNV-1a over the record's bytes.
        const unsigned char* p = reinterpret_cast<const unsigned char*>(k.v);
        uint64_t h = 1469598103934665603ull;
        for (size_t i = 0; i < sizeof(Vertex); i++) h = (h ^ p[i]) * 1099511628211ull;
        return (size_t)h;
    }
};

struct SameBytes {
    bool operator()(const VertexBytes& a, const VertexBytes& b) const { return memcmp(a.v, b.v, sizeof(Vertex)) == 0; }
};

}  // namespace

bool index_vertices(const std::vector<Vertex>& vertices, std::vector<Vertex>& distinct,
                    std::vector<uint16_t>& indices) {
    const size_t kMaxDistinct = 65536;
    std::unordered_map<VertexBytes, uint16_t, HashBytes, SameBytes> seen;
    std::vector<uint16_t> out;
    out.reserve(vertices.size());
    std::vector<const Vertex*> order;
    for (const Vertex& v : vertices) {
        auto found = seen.find(VertexBytes{&v});
        if (found == seen.end()) {
            if (order.size() == kMaxDistinct) return false;
            found = seen.emplace(VertexBytes{&v}, (uint16_t)order.size()).first;
            order.push_back(&v);
        }
        out.push_back(found->second);
    }
    distinct.clear();
    for (const Vertex* v : order) distinct.push_back(*v);
    indices.swap(out);
    return true;
}
