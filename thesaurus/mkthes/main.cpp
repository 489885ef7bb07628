// tezar-mkthes: converts a MyThes thesaurus into a Tezar thesaurus data file.
//   tezar-mkthes SOURCE.dat OUTPUT.the

#include "thesaurus/ThesWriter.h"
#include "thesaurus/mkthes/MythesSource.h"

#include <exception>
#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tezar-mkthes SOURCE.dat OUTPUT.the\n";
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::cerr << "tezar-mkthes: cannot open " << argv[1] << "\n";
            return 1;
        }
        const auto entries = tezar::MythesSource::Read(in);
        tezar::ThesWriter writer;
        writer.SetBanner(
            "Tezar thesaurus data file, English (United States), converted from MyThes th_en_US_v2");
        size_t synonyms = 0;
        for (const auto& e : entries) {
            writer.Add(e.headword, e.synonyms);
            synonyms += e.synonyms.size();
        }
        writer.WriteFile(argv[2]);
        std::cout << "tezar-mkthes: " << entries.size() << " headwords, " << synonyms << " synonyms -> "
                  << argv[2] << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tezar-mkthes: " << e.what() << "\n";
        return 1;
    }
}
