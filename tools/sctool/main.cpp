// sctool: inspects, writes and builds tunnels from section files with the
// program's own code.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/sctool/section_text.h"
#include "tools/sctool/tunnel_dump.h"

namespace {

const char kHelp[] =
    "usage:\n"
    "  sctool show FILE\n"
    "      prints the fields of a section file, or why the program refuses it; the starting\n"
    "      profile is judged at 64 points per section (the program judges it at its own)\n"
    "  sctool make OUT [--step S0,S1,S2,S3,S4,S5] [--limits XMIN,YMIN,XMAX,YMAX]\n"
    "                  [--component C RADIUS,WAVE,WAVEPHASE,WAVEFREQ,ANGLEPHASE,ANGLEFREQ]...\n"
    "                  [--disable C]...\n"
    "      writes a 144-byte section file. --step gives the walker's drift magnitude per\n"
    "      parameter (default 0.001,0.001,1,1,1,1; only 0, 1, 2 and 4 take effect);\n"
    "      --limits the box every profile must stay inside (default -0.9,-0.9,0.9,0.9);\n"
    "      --component sets and enables component C (0-3), angles in degrees, frequencies\n"
    "      in cycles (turns) per turn; --disable turns component C off, keeping its values.\n"
    "      Components not given are off and zero. A file the program would refuse is not written.\n"
    "  sctool dump FILE [--sections N] [--points P] [--spacing S] [--seed K] [--fly Z1,Z2,...]\n"
    "      builds the tunnel as the program does (defaults 256, 64, 0.03125, seed 8, camera\n"
    "      at z = 0), then moves the camera to each z in turn (one program frame each: builder\n"
    "      update, then wrap-around by 64 ring lengths past +-L), and prints after the build\n"
    "      and after each move one block:\n"
    "        state LABEL / window START END CURRENT LOOKAHEAD / mesh NSEGMENTS NSEGPOINTS SPACING /\n"
    "        limits XMIN YMIN XMAX YMAX / v SLOT POINT X Y Z NX NY NZ S T (every vertex) /\n"
    "        f TRIANGLE NX NY NZ (every face) / box SLOT XMIN YMIN XMAX YMAX /\n"
    "        sub SLOT K XMIN YMIN XMAX YMAX / end\n"
    "  sctool walk FILE [--sections N] [--points P] [--seed K]\n"
    "      advances one section N times (default 10000) and prints how many sections and\n"
    "      varied parameters changed\n";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        std::fputs(kHelp, words.empty() ? stderr : stdout);
        return words.empty() ? 2 : 0;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (words[0] == "show") return ShowSectionFile(args);
    if (words[0] == "make") return MakeSectionFile(args);
    if (words[0] == "dump") return DumpTunnel(args);
    if (words[0] == "walk") return WalkStatistics(args);
    std::fprintf(stderr, "sctool: unknown command %s (see sctool --help)\n", words[0].c_str());
    return 2;
}
