// dojokai-wordlist OUTPUT.bin SOURCES...
// Builds the word list of the word drills from its UTF-8 sources. Every problem in the
// sources is reported, and then nothing is written and the exit status is 1.
#include <cstdio>
#include <string>

#include "platform/Files.h"
#include "tools/wordlist/WordListBuilder.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: dojokai-wordlist OUTPUT.bin SOURCES...\n");
    return 2;
  }
  wordlist::WordListBuilder builder;
  for (int i = 2; i < argc; ++i) {
    const auto text = plat::ReadWholeFile(argv[i]);
    if (!text) {
      std::fprintf(stderr, "%s: cannot read the file\n", argv[i]);
      return 1;
    }
    builder.AddSource(std::string(text->begin(), text->end()), argv[i]);
  }
  std::vector<uint8_t> image;
  if (builder.Errors().empty()) image = builder.Build();
  if (!builder.Errors().empty()) {
    for (const auto& error : builder.Errors()) std::fprintf(stderr, "%s\n", error.c_str());
    std::fprintf(stderr, "dojokai-wordlist: %zu problem(s), %s not written\n", builder.Errors().size(), argv[1]);
    return 1;
  }
  std::string error;
  if (!wordlist::WriteImage(argv[1], image, error)) {
    std::fprintf(stderr, "dojokai-wordlist: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s: %zu bytes; words per category:", argv[1], image.size());
  for (int c = 0; c < wordlist::kCategories; ++c) std::printf(" %zu", builder.WordCount(c));
  std::printf("\n");
  return 0;
}
