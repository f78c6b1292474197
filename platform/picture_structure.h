#pragma once
// Whether a picture file holds all of its picture, judged by the file's own
// structure. The image decoders draw what there is of a cut-off file (grey,
// black or blank where the rest should be) with no more than a warning on
// the terminal; a cut-off photograph placed on a map must be refused
// instead. Each check answers false for a file that is not of its format or
// whose structure it cannot follow: the decoder judges those.
#include <QByteArrayView>
#include <QSize>

// An uncompressed bitmap holds fewer bytes than its header says its pixel
// rows need.
bool bitmapIsCutOff(QByteArrayView bytes);

// A JPEG ends before its end-of-image marker: its segments and their entropy-
// coded data, baseline or progressive, are followed from the start of image,
// so a thumbnail's markers inside the Exif segment are passed over and bytes
// after the end of image do not matter.
bool jpegIsCutOff(QByteArrayView bytes);

// A GIF ends before its trailer: the blocks of every image and extension are
// followed to it, so an animation is judged whole.
bool gifIsCutOff(QByteArrayView bytes);

// The size of the logical screen a GIF declares, which its decoder gives the
// picture; an invalid size for other bytes.
QSize gifScreenSize(QByteArrayView bytes);
