#pragma once
// The show's own texts, word for word.

namespace shell {

inline constexpr const char* kCaption = "Skyward";
inline constexpr const char* kWindowClass = "KSOrbE";
inline constexpr const char* kDisclaimerCaption = "DISCLAIMER";

inline constexpr const char* kDisclaimer =
    "Skyward - a real-time 3D show, rebuilt for today's machines by the Skyward team\n"
    "\n"
    "We have to warn you that this demo does require a big amount of system resources to run correctly. "
    "We encourage you to close every currently running application before starting the demo.\n\n"
    "This demo requires at least :\n"
    "\t- 400+MHz processor,\n"
    "\t- 32Mb graphics card with latest drivers (only tested on GeForce boards for now),\n"
    "\t- OpenGL 1.2.1 compliancy (at least ARB_multitexture),\n"
    "\t- 128Mb of RAM (more is recommanded under Win 9x/Me)\n\n"
    "This demo normally loads every data from disk before starting, but this can introduce problems on some "
    "systems. If you experience problems, the demo can load data during the show. This method should release "
    "some memory constraints, but some slowdowns will be noticeable. Do you want to preload everything at "
    "startup ?";

inline constexpr const char* kWindowFailure =
    "Unable to create a window or change display settings.\n"
    "Your system must be able to support 800x600x32 to run this demo, adjust Skyward.ini to change display "
    "frequency if needed !";

inline constexpr const char* kDeviceFailure =
    "Your system must be able to support OpenGL at 800x600x32 with 24bit ZBuffer & 8bits StencilBuffer to run "
    "this demo !";

inline constexpr const char* kExtensionFailure =
    "Your system must support the following OpenGL extensions to run this demo : \n"
    "\t- GL_ARB_multitexture\n"
    "\t- GL_ARB_imaging\n";

inline constexpr const char* kNoDisplayHint =
    "skyward: no display could be opened; run with --headless to play without one.";

// Not one of the show's own texts: the data is made apart from the program.
inline constexpr const char* kDataMissing =
    "The show's data was not found: there is no demo folder in the current folder.\n"
    "Make it with 'make data' in the source folder, then start the show from the folder that holds demo.";

inline constexpr const char* kNobodyToAsk =
    "Nobody could be asked whether to preload everything (no dialog and no terminal): "
    "run again with --preload or --stream.";

}  // namespace shell
