#include "gui/dialogs/font_choice.h"

#include <QFontDialog>
#include <algorithm>
#include <cmath>

namespace kestro {

namespace {

constexpr double kLogicalDpi = 96.0;

std::string FaceName(const QFont& font) {
    return font.family().left(kMaxFaceName).toStdString();
}

// The character height in pixels, from whichever size the font carries.
int32_t PixelHeight(const QFont& font) {
    if (font.pixelSize() > 0) return font.pixelSize();
    return static_cast<int32_t>(std::lround(font.pointSizeF() * kLogicalDpi / 72.0));
}

double PointSize(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() * 72.0 / kLogicalDpi;
}

}  // namespace

CFontChooser FontDialogChooser(QWidget* parent) {
    return [parent](const QFont& initial) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"),
                                                QFontDialog::ScalableFonts);
        if (!ok) return std::nullopt;
        return font;
    };
}

QFont TextFontToQFont(const CTextFontSetting& font) {
    QFont q(QString::fromStdString(font.name));
    q.setPixelSize(std::max(1, std::abs(font.size)));
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    q.setItalic(font.italic != 0);
    return q;
}

CTextFontSetting TextFontFromQFont(const QFont& font) {
    CTextFontSetting setting;
    setting.name = FaceName(font);
    setting.size = -PixelHeight(font);
    setting.weight = font.weight();
    setting.italic = font.italic() ? 1 : 0;
    return setting;
}

QFont LibraryFontToQFont(const CLibraryFont& font) {
    QFont q(QString::fromStdString(font.faceName));
    // The height is what the symbol texts are drawn with; the point size only describes it.
    if (font.height != 0)
        q.setPixelSize(std::abs(font.height));
    else
        q.setPointSizeF(std::max(1, font.pointSize) / 10.0);
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    q.setItalic(font.italic != 0);
    return q;
}

CLibraryFont LibraryFontFromQFont(const QFont& font) {
    CLibraryFont library;
    library.faceName = FaceName(font);
    library.pointSize = static_cast<int32_t>(std::lround(PointSize(font) * 10));
    library.height = -PixelHeight(font);
    library.weight = font.weight();
    library.italic = font.italic() ? 1 : 0;
    return library;
}

}  // namespace kestro
