// Image files in, numbered PNG frames and their delays out.
#pragma once

#include "MultiView.hpp"

#include <string>
#include <vector>

// Appends one 24-bit frame per file; throws std::runtime_error "FILE: reason" at the first bad one.
void LoadFrames(const std::vector<std::string>& paths, TMultiView& frames);
// Creates dir if needed and checks that files can be written there; throws when not.
void PrepareOutputDir(const std::string& dir);
// Writes frame_NNNN.png per frame and sequence.txt (file name and delay in ms per line).
// Every file goes through a temporary name, so none is ever left half written.
void SaveFrames(const TMultiView& frames, const std::string& dir);
