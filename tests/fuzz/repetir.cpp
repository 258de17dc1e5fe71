// Replays every file of the given folders through the fuzz entry point, without libFuzzer, so
// that the normal and the sanitizer builds run the committed corpus as a test.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho);

int main(int argc, char** argv) {
  size_t arquivos = 0;
  for (int i = 1; i < argc; ++i) {
    for (const auto& entrada : std::filesystem::directory_iterator(argv[i])) {
      std::ifstream f(entrada.path(), std::ios::binary);
      const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)),
                                       std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++arquivos;
    }
  }
  std::cout << arquivos << " arquivos repetidos\n";
  return arquivos > 0 ? 0 : 1;
}
