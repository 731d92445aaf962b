// The planisphere as a PDF of two A4 portrait pages: the star disc, then the
// horizon mask with the instructions, in the print style with the fonts
// embedded, ready to print on card.
#pragma once

#include <QByteArray>

#include <string>

#include "catalog/catalog.h"
#include "view/planisphere.h"

namespace app {

// The PDF's bytes; empty when it could not be drawn.
QByteArray planispherePdf(const view::Planisphere& p, const catalog::Catalogue& cat, const std::string& placeName);

}  // namespace app
