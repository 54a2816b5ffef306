#pragma once

/// The source tree's data/ folder (the shipped draw history), named in one file only so the
/// benchmarks' compile lines hold no path of this clone.
const char* benchDataDir();
