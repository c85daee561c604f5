#pragma once
// A small, strict walker over GIF bytes for checking the committed
// pictures: it records every block's facts and decodes each frame's pixels,
// so the tests can see what a reader will meet. It throws on anything
// malformed rather than guessing.
#include <cstdint>
#include <string>
#include <vector>

struct TGifFrameFacts {
  int controlCount = 0;  // graphic control extensions before this frame
  int disposal = -1;
  bool transparent = false;
  int transparentIndex = -1;
  int delay = -1;
  bool hasLoop = false;  // "NETSCAPE2.0" application extension before it
  int loopCount = -1;
  int left = 0, top = 0, width = 0, height = 0;
  bool interlaced = false;
  int localMapSize = 0;  // 0: the frame uses the global map
  int minCodeSize = 0;
  std::vector<std::uint8_t> pixels;  // colour indices in stored row order
};

struct TGifFacts {
  std::string signature;
  int width = 0, height = 0;
  int globalMapSize = 0;
  int background = 0;
  std::vector<TGifFrameFacts> frames;
};

TGifFacts WalkGif(const std::vector<std::uint8_t>& bytes);

// Reads a whole file; throws when it cannot.
std::vector<std::uint8_t> ReadResFile(const std::string& name);
