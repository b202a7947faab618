// HiResName: the file name of a picture's twin drawn at twice the size.
// "@2x" goes in front of the file name's extension, so "res1/pole.bmp"
// becomes "res1/pole@2x.bmp" and "3-d.bmp" becomes "3-d@2x.bmp"; a file
// name without an extension gets "@2x" at its end.  The twin has twice the
// width and height of its 1x picture, the same frames and the same colour
// table.
#pragma once

#include <string>

inline std::string HiResName(const std::string& name) {
    const std::size_t slash = name.find_last_of('/');
    const std::size_t dot = name.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension) {
        return name + "@2x";
    }
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}
