#include "ppm_file.h"

#include <filesystem>
#include <fstream>

namespace ui_driver {

bool WritePpm(const std::wstring& path, const Picture& picture) {
  std::string bytes = "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
  bytes.reserve(bytes.size() + picture.pixels.size() * 3);
  for (std::uint32_t pixel : picture.pixels) {
    bytes += static_cast<char>((pixel >> 16) & 0xFF);
    bytes += static_cast<char>((pixel >> 8) & 0xFF);
    bytes += static_cast<char>(pixel & 0xFF);
  }
  std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace ui_driver
