#include "ContactSheet.h"

#include "Art.h"
#include "FontArt.h"
#include "ImageEncoder.h"
#include "Layout.h"
#include "Painter.h"
#include "ZoTextTree.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using Fonts = std::vector<FontDescription>;

// The help paragraphs as the language file gives them (classic, arcade, rules), read once per run.
std::vector<std::string> g_helpTexts(3);

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j) {
        for (int i = 0; i * 8 < w; ++i) {
            const double v = (i + j) % 2 == 0 ? 0.78 : 0.62;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

// Draws one frame of a picture centred at (x, y), optionally turned clockwise and tinted, as the game does.
void DrawFrame(cairo_t* cr, Picture& pic, int frame, double x, double y, double angle = 0, double alpha = 1,
               double scale = 1) {
    const int fw = pic.Width() / pic.columns, fh = pic.Height() / pic.rows;
    const int col = frame % pic.columns, row = frame / pic.columns;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, -fw / 2, -fh / 2, fw, fh);
    cairo_clip(cr);
    cairo_set_source_surface(cr, pic.surface.get(), -fw / 2 - col * fw, -fh / 2 - row * fh);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void DrawTinted(cairo_t* cr, Picture& pic, double x, double y, const Rgb& tint) {
    cairo_save(cr);
    cairo_push_group(cr);
    DrawFrame(cr, pic, 0, x, y);
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* shape = cairo_get_source(cr);
    cairo_pattern_reference(shape);
    cairo_set_source(cr, shape);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    cairo_set_source_rgb(cr, tint.r, tint.g, tint.b);
    cairo_mask(cr, shape);
    cairo_pattern_destroy(shape);
    cairo_restore(cr);
}

// Text through the generated font pictures and the game's own glyph scan, so the mock shows what the game
// will.
class MockFont {
public:
    MockFont(PictureSet& set, const FontDescription& d)
        : picture_(set.Find(d.fileName)), charDist_(d.charDist) {
        glyphs_ = ScanFontFile(EncodeTga(picture_->surface.get()), d.codes, d.spaceSize);
    }
    int Measure(const std::string& text) const {
        int w = 0;
        for (char c : text) {
            const auto it = glyphs_.find(c);
            w += (it == glyphs_.end() ? 0 : it->second.right - it->second.left) + charDist_;
        }
        return w;
    }
    // Alignment as the game: 0 ends at x, 1 centred on x, other values start at x; y is the vertical centre.
    void Draw(cairo_t* cr, const std::string& text, int x, int y, int align, double alpha = 1.0) const {
        if (align == 0) {
            x -= Measure(text);
        } else if (align == 1) {
            x -= Measure(text) / 2;
        }
        const int h = picture_->Height();
        for (char c : text) {
            const auto it = glyphs_.find(c);
            if (it != glyphs_.end()) {
                const int w = it->second.right - it->second.left;
                cairo_save(cr);
                cairo_rectangle(cr, x, y - h / 2, w, h);
                cairo_clip(cr);
                cairo_set_source_surface(cr, picture_->surface.get(), x - it->second.left, y - h / 2);
                cairo_paint_with_alpha(cr, alpha);
                cairo_restore(cr);
                x += w;
            }
            x += charDist_;
        }
    }

private:
    Picture* picture_;
    int charDist_;
    std::map<char, GlyphBox> glyphs_;
};

// Percentages of a centred panel, as the game places widgets.
double PanelX(Picture& pic, double percent) {
    return 400 + std::trunc(pic.Width() * percent / 100) - pic.Width() * 0.5;
}
double PanelY(Picture& pic, double percent) {
    return 300 + std::trunc(pic.Height() * percent / 100) - pic.Height() * 0.5;
}

bool SavePng(cairo_surface_t* s, const std::string& path) {
    return cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::string WithSuffix(const std::string& path, const std::string& suffix) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? path + suffix : path.substr(0, dot) + suffix + path.substr(dot);
}

void GameMock(PictureSet& set, const Fonts& fonts, cairo_t* cr, bool arcade) {
    MockFont digits(set, fonts[1]);
    DrawFrame(cr, *set.Find(arcade ? "GameBgr1" : "GameBgr"), 0, 400, 300);
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7fff) % n;
    };
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < kBoardColumns; ++x) {
            if (y > 6 && next(3) != 0) {
                continue;
            }
            double px, py;
            CellCentre(x, y, px, py);
            const int c = next(6);
            DrawFrame(cr, *set.Find("Bubbles/Shadow"), 8, px, py, 0, 80 / 255.0);
            DrawFrame(cr, *set.Find("Bubbles/" + std::to_string(c)), 8, px, py);
        }
    }
    // A burst in progress.
    for (int i = 0; i < 5; ++i) {
        DrawFrame(cr, *set.Find("ExpBubbles/3"), 2 + i * 3, 330 + i * 14, 330 + i * 9);
    }
    DrawFrame(cr, *set.Find("ExpBubbles/3/0"), 5, 380, 320);
    DrawFrame(cr, *set.Find("ExpBubbles/3/1"), 9, 300, 350);
    const double ax = 0.45, ay = -std::sqrt(1 - 0.45 * 0.45);
    // The creatures are drawn upright and turn clockwise towards the aim, as in the game.
    const double angle = std::atan2(ax, -ay);
    DrawFrame(cr, *set.Find("Bubbles/2"), 8, kLauncherX - 7.25 * ax, kLauncherY - 7.25 * ay);
    DrawFrame(cr, *set.Find("Korrik"), 0, kLauncherX, kLauncherY, angle);
    DrawFrame(cr, *set.Find("Bubbles/1"), 8, kLauncherX + 31 * ax, kLauncherY + 31 * ay);
    for (int i = 0; i < 4; ++i) {
        DrawFrame(cr, *set.Find("Moves/" + std::to_string(i)), 0, kMarkerPositions[i][0],
                  kMarkerPositions[i][1]);
    }
    digits.Draw(cr, "12840 ", 72, 16, 1);
    DrawTinted(cr, *set.Find("Cursor"), 400 + 200 * ax, 570 + 200 * ay, kBallColours[1]);
    DrawFrame(cr, *set.Find("Interface/Menu"), 0, 80, 566);
}

void MenuMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& menu = *set.Find("MainMenu");
    DrawFrame(cr, menu, 0, 400, 300);
    struct Item {
        const char* picture;
        double x, y;
        int frame;
    };
    const Item items[] = {{"Interface/ChangeProfileTr", 76, 21, 0},
                          {"Interface/ChangeProfileTr", 76, 25, 1},
                          {"Interface/Continue", 19, 25, 2},
                          {"Interface/Options", 21.5, 53.5, 0},
                          {"Interface/Help", 18, 64, 0},
                          {"Interface/Score", 18, 72, 0},
                          {"Interface/Exit", 22, 82, 0}};
    for (const Item& it : items) {
        DrawFrame(cr, *set.Find(it.picture), it.frame, PanelX(menu, it.x), PanelY(menu, it.y));
    }
    Picture& grass = *set.Find("MenuGrass");
    DrawFrame(cr, grass, 0, grass.Width() / 2, 600 - grass.Height() / 2);
    DrawFrame(cr, *set.Find("Interface/ClassicGame"), 1, PanelX(menu, 20), PanelY(menu, 34));
    DrawFrame(cr, *set.Find("Interface/ArcadeGame"), 0, PanelX(menu, 21), PanelY(menu, 44));
    font.Draw(cr, "WELCOME: Ann", static_cast<int>(PanelX(menu, 76) - 20),
              static_cast<int>(PanelY(menu, 21) - 3), 1);
    font.Draw(cr, "(Click To Change Player)", static_cast<int>(PanelX(menu, 76) - 20),
              static_cast<int>(PanelY(menu, 25) - 3), 1);
    const double ax = -0.5, ay = -std::sqrt(0.75);
    const double angle = std::atan2(ax, -ay);
    DrawFrame(cr, *set.Find("Bubbles/4"), 8, 720 - ax * 6, 520 - ay * 6);
    DrawFrame(cr, *set.Find("KorrikMenu"), 0, 720, 520, angle);
    DrawFrame(cr, *set.Find("Bubbles/0"), 8, 720 + ax * 32, 520 + ay * 32);
}

void OptionsMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& dlg = *set.Find("Interface/OptionsDlg");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 0, PanelX(dlg, 50), PanelY(dlg, 90));
    for (int i = 0; i < 2; ++i) {
        const double y = i == 0 ? kSoundSliderY : kMusicSliderY;
        DrawFrame(cr, *set.Find("Interface/Slider"), 0, 400, y);
        const int value = i == 0 ? 200 : 90;
        DrawFrame(cr, *set.Find("Interface/SliderThumb"), i, 272 + value * (256.0 / 255), y);
    }
    DrawFrame(cr, *set.Find("Interface/CheckBox"), 2, kWindowedBox[0], kWindowedBox[1]);
    font.Draw(cr, "Full screen", kWindowedBox[0] - 23, kWindowedBox[1], 0);
    DrawFrame(cr, *set.Find("Interface/CheckBox"), 0, kGuideBox[0], kGuideBox[1]);
    font.Draw(cr, "Aiming guide", kGuideBox[0] - 23, kGuideBox[1], 0);
    const char* levels[3] = {"Easy", "Normal", "Hard"};
    for (int i = 0; i < 3; ++i) {
        DrawFrame(cr, *set.Find("Interface/CheckBox"), i == 1 ? 2 : (i == 2 ? 1 : 0), kDifficultyX[i],
                  kDifficultyY);
        font.Draw(cr, levels[i], kDifficultyX[i] + 23, kDifficultyY, 2);
    }
}

void ScoreMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& dlg = *set.Find("Interface/ScoreDlg");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/ScoreClassic"), 0, 400, kScoreTitleY);
    DrawFrame(cr, *set.Find("Interface/LArrow"), 2, PanelX(dlg, 12), PanelY(dlg, 12.8));
    DrawFrame(cr, *set.Find("Interface/RArrow"), 1, PanelX(dlg, 88), PanelY(dlg, 12.8));
    DrawFrame(cr, *set.Find("Interface/Clear"), 0, PanelX(dlg, 28), PanelY(dlg, 90));
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 0, PanelX(dlg, 72), PanelY(dlg, 90));
    const char* names[10] = {"Ann", "Bartholomew", "Cleo", "Dmitri 2", "Eve",
                             "Fox", "Gwen",        "Hugo", "Ivy",      "Jo"};
    for (int i = 0; i < 10; ++i) {
        const int y = kScoreTop + kScoreLineStep * i;
        font.Draw(cr, std::to_string(i + 1), kScoreNumberX, y, 0);
        font.Draw(cr, names[i], kScoreNameX, y, 2);
        font.Draw(cr, std::to_string(98760 / (i + 1)), kScoreX, y, 0);
    }
}

void HelpMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& help = *set.Find("Help");
    DrawFrame(cr, help, 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/Menu"), 0, PanelX(help, 77), PanelY(help, 93));
    DrawFrame(cr, *set.Find("Interface/Credits"), 1, PanelX(help, 28), PanelY(help, 93));
    struct Para {
        const std::string& text;
        double py;
    };
    const Para paras[3] = {{g_helpTexts[0], 50}, {g_helpTexts[1], 65}, {g_helpTexts[2], 23}};
    const int lineHeight = static_cast<int>(set.Find("Fonts/MainFont")->Height() * 0.75);
    for (const Para& para : paras) {
        std::vector<std::string> lines(1);
        for (const char c : para.text) {
            lines.back() += c;
            if (c == '#') {
                lines.emplace_back();
            }
        }
        const double x = PanelX(help, 5), y = PanelY(help, para.py);
        const int top = static_cast<int>(lineHeight * lines.size() * 0.5);
        double row = 0;
        for (const std::string& line : lines) {
            if (line.size() == 1) {
                row += 0.5;
                continue;
            }
            font.Draw(cr, line, static_cast<int>(x), static_cast<int>(y - top + lineHeight * row), 2);
            row += 1;
        }
    }
}

void DialogsMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    MockFont digits(set, fonts[1]);
    Picture& end = *set.Find("Interface/GameComplDlg");
    DrawFrame(cr, end, 0, 400, 300);
    const char* numbers[3] = {"12840", "350", "13190"};
    for (int i = 0; i < 3; ++i) {
        digits.Draw(cr, numbers[i], static_cast<int>(PanelX(end, kEndNumberPercent)),
                    static_cast<int>(PanelY(end, kEndRowPercent[i])), 2);
    }
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 1, PanelX(end, 50), PanelY(end, 87));
}

void ProfileMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& dlg = *set.Find("Interface/ProfileDlg");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    const char* names[4] = {"Ann", "Bartholomew", "Cleo", "Dmitri 2"};
    for (int i = 0; i < 4; ++i) {
        const double y = PanelY(dlg, 24 + 10 * i);
        DrawFrame(cr, *set.Find("Interface/ProfileItem"), i == 2 ? 3 : 0, PanelX(dlg, 50), y);
        font.Draw(cr, names[i], static_cast<int>(PanelX(dlg, 50)), static_cast<int>(y), 1);
    }
    DrawFrame(cr, *set.Find("Interface/NewProfile"), 0, PanelX(dlg, 20), PanelY(dlg, 88));
    DrawFrame(cr, *set.Find("Interface/DelProfile"), 1, PanelX(dlg, 50), PanelY(dlg, 88));
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 0, PanelX(dlg, 80), PanelY(dlg, 88));
}

void NameMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& dlg = *set.Find("Interface/EditDialog");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 0, PanelX(dlg, 30), PanelY(dlg, 82));
    DrawFrame(cr, *set.Find("Interface/BtnCancel"), 2, PanelX(dlg, 70), PanelY(dlg, 82));
    font.Draw(cr, "Zoe 2", 400, 300, 1);
    // The caret a pixel past the last glyph (the pen stops CharDist short of it), as the game puts it.
    const int penEnd = 400 - font.Measure("Zoe 2") / 2 + font.Measure("Zoe 2");
    DrawFrame(cr, *set.Find("Interface/CursorBlink"), 0, penEnd - fonts[0].charDist + 1 + 4, 300);
}

void ConfirmMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    MockFont font(set, fonts[0]);
    Picture& dlg = *set.Find("Interface/vSmlDialog");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    const int line = static_cast<int>(set.Find(fonts[0].fileName)->Height() * 0.75);
    font.Draw(cr, "Start a new game?#", 400, 300 - line, 1);
    font.Draw(cr, "The saved game will be lost.", 400, 300, 1);
    DrawFrame(cr, *set.Find("Interface/Continue"), 0, PanelX(dlg, 20), PanelY(dlg, 80));
    DrawFrame(cr, *set.Find("Interface/StartNew"), 1, PanelX(dlg, 80), PanelY(dlg, 80));
}

void CreditsMock(PictureSet& set, const Fonts& fonts, cairo_t* cr) {
    HelpMock(set, fonts, cr);
    Picture& dlg = *set.Find("Interface/CreditsDlg");
    DrawFrame(cr, *set.Find("Interface/Fade"), 0, 400, 300, 0, 1, 25);
    DrawFrame(cr, dlg, 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/BtnOk"), 0, PanelX(dlg, 50), PanelY(dlg, 90));
}

void LoadMock(PictureSet& set, const Fonts&, cairo_t* cr) {
    DrawFrame(cr, *set.Find("LoadScreen"), 0, 400, 300);
    DrawFrame(cr, *set.Find("Interface/Nag/PBgrnImg"), 0, 400, 300);
    Picture& line = *set.Find("Interface/Nag/PLineImg");
    cairo_save(cr);
    cairo_rectangle(cr, 400 - line.Width() / 2, 0, line.Width() * 0.6, 600);
    cairo_clip(cr);
    DrawFrame(cr, line, 0, 400, 300);
    cairo_restore(cr);
}

} // namespace

bool WriteContactSheet(PictureSet& set, const std::string& path) {
    const int sheetWidth = 1700, pad = 14, label = 18;
    // Shelf packing in the set's order, big pictures shown at half size.
    struct Place {
        Picture* pic;
        double x, y, scale;
    };
    std::vector<Place> places;
    double x = pad, y = pad, shelf = 0;
    for (Picture& p : set.All()) {
        const double scale = p.Width() > 700 || p.Height() > 500 ? 0.5 : 1.0;
        const double w = p.Width() * scale, h = p.Height() * scale + label;
        if (x + w + pad > sheetWidth) {
            x = pad;
            y += shelf + pad;
            shelf = 0;
        }
        places.push_back(Place{&p, x, y, scale});
        x += std::max(w, 120.0) + pad;
        shelf = std::max(shelf, h);
    }
    const int height = static_cast<int>(y + shelf + pad);
    SurfacePtr sheet = NewSurface(sheetWidth, height);
    cairo_t* cr = cairo_create(sheet.get());
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.26);
    cairo_paint(cr);
    Painter text(sheet.get());
    for (const Place& pl : places) {
        Picture& p = *pl.pic;
        const double w = p.Width() * pl.scale, h = p.Height() * pl.scale;
        Checker(cr, pl.x, pl.y, w, h);
        cairo_save(cr);
        cairo_translate(cr, pl.x, pl.y);
        cairo_scale(cr, pl.scale, pl.scale);
        cairo_set_source_surface(cr, p.surface.get(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 1, 0.2, 0.3, 0.9);
        cairo_set_line_width(cr, 1);
        for (int c = 0; c < p.columns; ++c) {
            for (int r = 0; r < p.rows; ++r) {
                cairo_rectangle(cr, pl.x + c * w / p.columns + 0.5, pl.y + r * h / p.rows + 0.5,
                                w / p.columns - 1, h / p.rows - 1);
            }
        }
        cairo_stroke(cr);
        text.SetFont(11, FontStyle::Regular);
        cairo_set_source_rgb(text.Cr(), 1, 1, 1);
        cairo_move_to(text.Cr(), pl.x, pl.y + h + 12);
        const std::string caption = p.name + (p.format == PictureFormat::Jpg ? ".Jpg " : ".Tga ") +
                                    std::to_string(p.Width()) + "x" + std::to_string(p.Height());
        cairo_show_text(text.Cr(), caption.c_str());
    }
    cairo_destroy(cr);
    return SavePng(sheet.get(), path);
}

bool WriteMockScreens(PictureSet& set, const Fonts& fonts, const std::string& languageFile,
                      const std::string& path) {
    ZoTextTree language;
    language.LoadFile(languageFile);
    const char* const helpKeys[3] = {"English.HelpClassic", "English.HelpArcade", "English.HelpRules"};
    for (int i = 0; i < 3; ++i) {
        g_helpTexts[i] = language.GetString(helpKeys[i], "");
    }
    struct Mock {
        const char* suffix;
        void (*draw)(PictureSet&, const Fonts&, cairo_t*);
    };
    const Mock mocks[] = {
        {"-game", [](PictureSet& s, const Fonts& f, cairo_t* cr) { GameMock(s, f, cr, false); }},
        {"-arcade", [](PictureSet& s, const Fonts& f, cairo_t* cr) { GameMock(s, f, cr, true); }},
        {"-menu", MenuMock},
        {"-options",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             OptionsMock(s, f, cr);
         }},
        {"-score",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             ScoreMock(s, f, cr);
         }},
        {"-help",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             HelpMock(s, f, cr);
         }},
        {"-end",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             GameMock(s, f, cr, false);
             DialogsMock(s, f, cr);
         }},
        {"-profile",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             ProfileMock(s, f, cr);
         }},
        {"-name",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             NameMock(s, f, cr);
         }},
        {"-confirm",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             ConfirmMock(s, f, cr);
         }},
        {"-credits",
         [](PictureSet& s, const Fonts& f, cairo_t* cr) {
             MenuMock(s, f, cr);
             CreditsMock(s, f, cr);
         }},
        {"-load", LoadMock},
    };
    for (const Mock& m : mocks) {
        SurfacePtr screen = NewSurface(800, 600);
        cairo_t* cr = cairo_create(screen.get());
        m.draw(set, fonts, cr);
        cairo_destroy(cr);
        if (!SavePng(screen.get(), WithSuffix(path, m.suffix))) {
            return false;
        }
    }
    return true;
}
