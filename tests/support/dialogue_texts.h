#pragma once

// What the programs show, written out once for the tests that compare whole screens.

#include <string>

namespace kelvarro::testing::texts {

// The screen clear as a terminal receives it on POSIX.
inline const std::string kClear = "\x1b[H\x1b[2J";

// setup
inline const std::string kBanner = "kelvarro 0.7.31 setup\n\n";
inline const std::string kPathQuestion =
    "sorry, but i can't auto-config your path. please enter the path where you\n"
    "extracted the files (eg. d:\\divxstuff\\kelvarro0.7.1\\):\n";
// Said on POSIX before Wine is asked for the short form of a worked-out folder.
inline const std::string kShortFormWait =
    "asking Wine for the install directory's short form (its first start in a new prefix takes a while)\n";
// Said when a worked-out folder cannot be used, with the short-form lookup's reason.
inline std::string UnusableFolder(const std::string& why_not) {
  return "the install directory can't go into a batch file as it is, and " + why_not + ".\n";
}
inline const std::string kIdctMenu =
    "\n[1]\t16-bit MMX Chen iDCT (standard)\n[2]\t32-bit MMX iDCT\n"
    "[3]\t64-bit FPU (optimized for Athlon, Pentium III and newer)\n"
    "please choose the IDCT to use: ";

// Both programs, for a file that was not written (named as the user sees it) and the reason.
inline std::string NotWritten(const std::string& file, const std::string& reason) {
  return "\nuh-oh... i can't write the file " + file + (reason.empty() ? "!" : ": " + reason) + "\n\n";
}

// wizard
inline const std::string kNoConfig =
    "\nuh-oh... looks like i can't open the file config.cfg!\n\nplease use setup.exe to create it!\n\n";
inline const std::string kNoVob = "\nuh-oh... looks like you don't have any vob files in the input dir!\n\n";
inline const std::string kWelcome = "welcome to kelvarro 0.7.31\n";
inline const std::string kRegion = "\nplease choose the region code of the DVD (1 or 2): ";
inline const std::string kFrameRate =
    "\n\n[1]\t23 fps (standard)\n[2]\t29 fps (for audio-sync problems)\nplease choose the framerate: ";
inline const std::string kStream = "\n\nplease choose the audiostream (0-9): ";
inline const std::string kVbr = "\n\ndo you want to use VBR for the mp3 audio (y/n)? ";
inline const std::string kMinimum = "\n\nplease enter the minimum bitrate in kbit/s: ";
inline const std::string kMaximum = "\nplease enter the maximum bitrate in kbit/s: ";
inline const std::string kQuality = "\nplease choose the quality level (0-9): ";
inline const std::string kBitrates =
    "\n\n[1]\t64 kbit/s\n[2]\t80 kbit/s\n[3]\t96 kbit/s\n[4]\t112 kbit/s\n[5]\t128 kbit/s\n[6]\t160 kbit/s\n"
    "[7]\t196 kbit/s\n[8]\t256 kbit/s\n[9]\t320 kbit/s\nplease choose the mp3 bitrate: ";
inline const std::string kAspect =
    "\n\n4:3 coded:\n[1]\t1:1.33 (real 4:3)\n[2]\t1:1.85\n[3]\t1:2.35\n\n"
    "16:9 coded:\n[4]\t1:1.85 (real 16:9)\n[5]\t1:2.35 (widescreen)\nplease choose the aspect ratio: ";
inline const std::string kOffer = "\n\nthe process.bat file is generated. do you want to run it now (y/n)? ";
inline const std::string kFarewell =
    "\n\nthank you for using kelvarro!\n\n"
    "big thanks to Mirel who helped me very much with testing lots of beta releases.\n"
    "for infos, updates and support, please visit https://kelvarro.org/\n\n";

}  // namespace kelvarro::testing::texts
