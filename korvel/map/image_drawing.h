#pragma once
// Drawing of the geo-referenced images onto a picture in its world scale:
// each image whose row can be drawn (ticked and enabled), from a list
// position to the last, stretched onto its place on the map, the lowest
// position first. Pictures come from the image cache (image_cache.h).
#include <QString>
#include <functional>
#include <optional>

class PictureSurface;

// The image that could not be drawn (its file gone or no longer a picture).
struct ImageDrawFailure
{
    int position = 0; // its list position
    QString path;
    QString reason; // the picture loader's description
};

// Draws the images at list positions first..ImageCount for which
// drawable(position) holds. On the first image that fails it stops and
// returns it, without drawing the rest or refreshing the picture; the caller
// unticks its row and tells the user.
std::optional<ImageDrawFailure> DrawImage(
    int first, PictureSurface& picture, const std::function<bool(int position)>& drawable);

// The message for an image that could not be drawn.
QString imageDrawFailureMessage(const QString& path);
