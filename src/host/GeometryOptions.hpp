// --geometry, --auto-fit and --render: hand the geometry file (and the wish for
// an auto-fit) to the module, and render its final sequence by pressing "Morph
// it!" as the only action of the run.
#pragma once

#include "CommandLine.hpp"
#include "Module.hpp"

class TApplication;

// Throws std::runtime_error when the module cannot take a geometry file or an
// auto-fit, or --render (without --auto-fit) has no file to render.
void ApplyGeometryOptions(const HostOptions& options, Module& module, TApplication& app);
// After the run: --render that added no frame is an error (the editor said why).
void CheckRendered(const HostOptions& options, int framesBefore, int framesAfter);
