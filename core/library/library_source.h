#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/library/source_text.h"

namespace kestro {

class CLibraryData;

// What a library source says about an element beyond the library file: the meaning of
// each terminal and attribute (empty when not given), in the element's own order.
struct CElementDocs {
    std::string name;
    std::vector<std::string> pins;
    std::vector<std::string> attributes;
};

struct CLibraryDocs {
    CElementDocs control;
    CElementDocs port;
    CElementDocs label;
    std::vector<CElementDocs> elements;  // by identifier
};

// Reads the text of a file named as the source names it; throws CFileException.
using CSourceFileReader = std::function<std::string(const std::string& path)>;

// Compiles a library source (and the files it includes) into `library`, which is made
// new first. Throws CSourceError naming the file and line of the first mistake.
void ReadLibrarySource(const std::string& path, CLibraryData& library, CLibraryDocs* docs,
                       const CSourceFileReader& readFile);
// Reads every element of the library and writes it as a source that compiles back to
// the same bytes.
std::string WriteLibrarySource(CLibraryData& library);

}  // namespace kestro
