#pragma once

// A TrueType font opened with FreeType, rendering one character at a time for the generators.

#include <ft2build.h>
#include FT_FREETYPE_H

class Font {
  public:
    explicit Font(const char* path) {
        ok_ = FT_Init_FreeType(&library_) == 0 && FT_New_Face(library_, path, 0, &face_) == 0;
    }
    ~Font() {
        if (face_ != nullptr)
            FT_Done_Face(face_);
        if (library_ != nullptr)
            FT_Done_FreeType(library_);
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    bool ok() const { return ok_; }

    // Renders one character at a pixel size, squeezed across by xScale; null on failure.
    FT_GlyphSlot render(unsigned long codePoint, int pixelSize, double xScale) {
        FT_Matrix squeeze{static_cast<FT_Fixed>(xScale * 65536.0), 0, 0, 0x10000};
        FT_Set_Transform(face_, &squeeze, nullptr);
        if (FT_Set_Pixel_Sizes(face_, 0, pixelSize) != 0 ||
            FT_Load_Char(face_, codePoint, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
            return nullptr;
        }
        return face_->glyph;
    }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    bool ok_ = false;
};

