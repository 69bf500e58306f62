#include "video_probe.h"

#include <math.h>
#include <string.h>

#include "run_tool.h"

std::map<std::string, std::string> probe_stream(const std::string& video, const char* kind) {
    ToolRun r = run_tool({"ffprobe", "-v", "error", "-count_frames", "-select_streams", std::string(kind) + ":0",
                          "-show_entries",
                          "stream=codec_name,profile,pix_fmt,width,height,r_frame_rate,avg_frame_rate,nb_read_frames,"
                          "sample_rate,channels,start_time,duration,color_space,color_range",
                          "-of", "default=noprint_wrappers=1", video});
    std::map<std::string, std::string> fields;
    size_t start = 0;
    for (size_t end; (end = r.out.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = r.out.substr(start, end - start);
        size_t equals = line.find('=');
        if (equals != std::string::npos) fields[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return fields;
}

std::vector<unsigned char> decoded_picture(const std::string& file, unsigned index, int width, int height) {
    // Exact conversion back to RGB, so only the encoding's own loss remains.
    std::string filter = "select=eq(n\\," + std::to_string(index) + "),scale=";
    if (width) filter += std::to_string(width) + ":" + std::to_string(height) + ":";
    filter += "flags=area+accurate_rnd+full_chroma_int";
    ToolRun r = run_tool({"ffmpeg", "-v", "error", "-i", file, "-vf", filter, "-frames:v", "1", "-f", "rawvideo",
                          "-pix_fmt", "rgb24", "pipe:1"});
    return std::vector<unsigned char>(r.out.begin(), r.out.end());
}

std::vector<float> decoded_sound(const std::string& file, double seconds) {
    std::vector<std::string> argv = {"ffmpeg", "-v", "error", "-i", file};
    if (seconds > 0) argv.insert(argv.end(), {"-t", std::to_string(seconds)});
    argv.insert(argv.end(), {"-map", "0:a", "-ac", "1", "-f", "f32le", "pipe:1"});
    ToolRun r = run_tool(argv);
    std::vector<float> samples(r.out.size() / sizeof(float));
    if (!samples.empty()) memcpy(samples.data(), r.out.data(), samples.size() * sizeof(float));
    return samples;
}

double psnr(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size() || a.empty()) return 0;
    double squares = 0;
    for (size_t i = 0; i < a.size(); i++) squares += (double)(a[i] - b[i]) * (a[i] - b[i]);
    return squares == 0 ? INFINITY : 10 * log10(255.0 * 255.0 * (double)a.size() / squares);
}

double mean(const std::vector<unsigned char>& picture) {
    double sum = 0;
    for (unsigned char v : picture) sum += v;
    return picture.empty() ? 0 : sum / (double)picture.size();
}
