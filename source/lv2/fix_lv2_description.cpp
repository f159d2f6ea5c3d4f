// vorl-lv2-fix-description DSP.TTL: corrects, in place, the description JUCE wrote into the
// plug-in's LV2 bundle (see Lv2DescriptionFixes.h). Runs right after JUCE's helper.
#include "Lv2DescriptionFixes.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char* argv[])
{
    if (argc != 2)
    {
        std::cerr << "usage: vorl-lv2-fix-description DSP.TTL" << std::endl;
        return 2;
    }

    std::ifstream input(argv[1], std::ios::binary);
    if (!input)
    {
        std::cerr << "vorl-lv2-fix-description: cannot read " << argv[1] << std::endl;
        return 1;
    }
    std::ostringstream text;
    text << input.rdbuf();
    input.close();

    const auto fixed = vorl::lv2::fixJuceDescription(text.str());
    if (fixed == text.str())
        return 0;

    std::ofstream output(argv[1], std::ios::binary | std::ios::trunc);
    output << fixed;
    if (!output.flush())
    {
        std::cerr << "vorl-lv2-fix-description: cannot write " << argv[1] << std::endl;
        return 1;
    }
    return 0;
}
