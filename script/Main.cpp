// cinetrove-script: runs the program without a display and takes the user's
// place, one scenario line at a time.
#include "ScenarioRunner.h"
#include "WinApp.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> lines;
    std::string line;
    if (argc > 1) {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::cerr << "cinetrove-script: cannot read " << argv[1] << "\n";
            return 2;
        }
        while (std::getline(in, line)) lines.push_back(line);
    } else {
        while (std::getline(std::cin, line)) lines.push_back(line);
    }
    ScenarioRunner runner(std::move(lines));
    const int status = AfxWinMainDisplayless(argv[0], "cinetrove", runner);
    if (status != 0) return status;
    return runner.Finish();
}
