// What FFmpeg's own programs make of a video: ffprobe's fields, decoded
// pictures and decoded sound.
#ifndef QO_TESTS_CAPTURE_VIDEO_PROBE_H
#define QO_TESTS_CAPTURE_VIDEO_PROBE_H

#include <map>
#include <string>
#include <vector>

// ffprobe's fields of the first stream of a kind ("v" or "a"), frames counted.
std::map<std::string, std::string> probe_stream(const std::string& video, const char* kind);

// One picture as 8-bit RGB rows, top first: frame `index` of a video, or a
// picture file (index 0), scaled to width x height when those are given.
std::vector<unsigned char> decoded_picture(const std::string& file, unsigned index, int width = 0, int height = 0);

// The sound as mono float samples at its own rate, the first `seconds` of it
// when given.
std::vector<float> decoded_sound(const std::string& file, double seconds = 0);

// Peak signal-to-noise ratio of two pictures of the same size, in dB.
double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);

double mean(const std::vector<unsigned char>& picture);

#endif
