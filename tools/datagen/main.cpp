// qo-datagen: makes the demo's data.
//   qo-datagen OUTDIR                 model, material library and pictures into OUTDIR
//   qo-datagen --music FILE.wav       the music, as 16-bit stereo 44.1 kHz WAV
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/datagen/bmp_write.h"
#include "tools/datagen/file_write.h"
#include "tools/datagen/model_shape.h"
#include "tools/datagen/obj_write.h"
#include "tools/datagen/pictures.h"
#include "tools/datagen/song.h"
#include "tools/datagen/wav_write.h"

namespace {

bool write_indexed(const std::string& path, const datagen::IndexedPicture& p) {
  return datagen::write_file(path, datagen::bmp_encode_indexed(p.width, p.height, p.bits, p.palette, p.indices));
}

bool write_model_and_pictures(const std::string& dir) {
  const std::string base = dir.empty() || dir.back() == '/' ? dir : dir + "/";
  const datagen::Mesh model = datagen::make_crystal_star();
  const datagen::RgbPicture backdrop = datagen::make_backdrop();
  bool ok = datagen::write_file(base + "met1.obj", datagen::obj_text(model, "met1.mtl"));
  ok = ok && datagen::write_file(base + "met1.mtl", datagen::mtl_text(model));
  ok = ok && datagen::write_file(base + "2.bmp",
                                 datagen::bmp_encode_rgb24(backdrop.width, backdrop.height, backdrop.pixels));
  ok = ok && write_indexed(base + "te1.bmp", datagen::make_halo_overlay());
  ok = ok && write_indexed(base + "te2.bmp", datagen::make_ladder_overlay());
  return ok;
}

bool write_music(const std::string& path) {
  const datagen::StereoBuffer song = datagen::render_song();
  return datagen::write_file(path, datagen::wav_encode_pcm16(song, datagen::kSampleRate));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--music") != 0) return write_model_and_pictures(argv[1]) ? 0 : 1;
  if (argc == 3 && std::strcmp(argv[1], "--music") == 0) return write_music(argv[2]) ? 0 : 1;
  std::fprintf(stderr, "usage: qo-datagen OUTDIR\n       qo-datagen --music FILE.wav\n");
  return 2;
}
