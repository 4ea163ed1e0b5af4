// Form text to the binary component stream, for the build (and back, to look at one):
//   sonvelt_formtext <form text> <binary out>
//   sonvelt_formtext --text <binary> <form text out>
// Errors go to stderr with the line of the text; the exit code is 1.
#include <cstdio>
#include <string>

#include "framework/Exceptions.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"

namespace {

// The build passes host paths; under the emulator the host's root is drive Z:.
std::string WindowsPath(std::string Path) {
  if (!Path.empty() && Path[0] == '/') {
    for (char& c : Path)
      if (c == '/') c = '\\';
    Path = "Z:" + Path;
  }
  return Path;
}

}  // namespace

int main(int argc, char** argv) {
  const bool toText = argc == 4 && std::string(argv[1]) == "--text";
  if (argc != 3 && !toText) {
    std::fprintf(stderr, "usage: sonvelt_formtext [--text] <input> <output>\n");
    return 2;
  }
  const std::string input = argv[toText ? 2 : 1], output = argv[toText ? 3 : 2];
  try {
    TOwned<TMemoryStream> in(TMemoryStream::Create());
    in->LoadFromFile(WindowsPath(input));
    TOwned<TMemoryStream> out(TMemoryStream::Create());
    if (toText) ObjectBinaryToText(in.get(), out.get());
    else ObjectTextToBinary(in.get(), out.get());
    out->SaveToFile(WindowsPath(output));
  } catch (const Exception& E) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), E.GetMessage().c_str());
    return 1;
  }
  return 0;
}
