#include "logdata/LogLoader.h"

namespace grafolux {

LoadResult LoadLog(const std::string&, Colour, const LoadProgress&) {
    return LoadError{"not available yet"};
}

}  // namespace grafolux
