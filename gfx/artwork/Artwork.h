// The artwork of a ball set as CDIB pictures and as the files of a picture
// folder: pole.bmp (the board), 1.bmp .. 6.bmp (the balls, two frames each)
// and 1-d.bmp .. 6-d.bmp (the previews of the next colours), and beside each
// its twin at twice the size for screens of high pixel density, named by
// HiResName (pole@2x.bmp and so on).  All are 8-bit and carry the same colour
// table, in both sets and at both sizes, so ball pixels can be copied onto
// the board as they are.
#pragma once

#include <string>
#include <vector>

#include "gfx/DIB.h"
#include "gfx/artwork/ArtPictures.h"

namespace art {

struct ArtworkFile {
    std::string name;  // file name inside the folder
    IndexedPicture picture;
};

// The thirteen files in a fixed order: board, balls 1..6, previews 1..6;
// then their thirteen 2x twins in the same order.
std::vector<ArtworkFile> ArtworkFiles(BallSet set);

// Makes `dib` an 8-bit picture of `picture` with the shared colour table.
// FALSE, with `dib` unchanged, when the picture cannot be made.
BOOL MakeDib(const IndexedPicture& picture, CDIB& dib);

// Writes every file of the set into `directory`, which must exist.  On
// failure returns false and names the file that could not be written.
bool WriteArtwork(const std::string& directory, BallSet set, std::string& failedFile);

}  // namespace art
