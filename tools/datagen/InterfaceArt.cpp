#include "Art.h"
#include "Layout.h"
#include "Ui.h"

#include <cmath>
#include <string>

namespace {

void FourLookButton(PictureSet& set, const std::string& name, int w, int h, const std::string& label,
                    double size, const ButtonColours& colours) {
    cairo_surface_t* s = set.Add(name, w, h * 4, 1, 4);
    Painter p(s);
    for (int i = 0; i < 4; ++i) {
        ClipFrame(p, 0, i * h, w, h);
        DrawButton(p, 0, i * h, w, h, label, size, colours, kButtonStates[i]);
        cairo_restore(p.Cr());
    }
}

void ArrowButton(PictureSet& set, const std::string& name, int direction) {
    const int d = 52;
    cairo_surface_t* s = set.Add(name, d, d * 4, 1, 4);
    Painter p(s);
    cairo_t* cr = p.Cr();
    for (int i = 0; i < 4; ++i) {
        const ButtonState state = kButtonStates[i];
        ButtonColours c = kBlueButton;
        const double sink = state == ButtonState::Pressed ? 1.5 : 0.0;
        const double cy = i * d + d / 2.0 - 1 + sink, cx = d / 2.0 - 1 + sink;
        ClipFrame(p, 0, i * d, d, d);
        cairo_arc(cr, d / 2.0 + 1, i * d + d / 2.0 + 2, 21, 0, 2 * M_PI);
        p.SetColour(kInk, 0.45);
        cairo_fill(cr);
        if (state == ButtonState::Highlighted) {
            c.top = c.top.Mixed(Rgb{1, 1, 1}, 0.45);
            c.bottom = c.bottom.Mixed(Rgb{1, 1, 1}, 0.3);
        } else if (state == ButtonState::Pressed) {
            c.top = kBlueButton.bottom.Scaled(0.88);
            c.bottom = kBlueButton.top.Mixed(kBlueButton.bottom, 0.35);
        } else if (state == ButtonState::Disabled) {
            c.top = Rgb8(176, 176, 196);
            c.bottom = Rgb8(120, 120, 140);
        }
        cairo_arc(cr, cx, cy, 21, 0, 2 * M_PI);
        p.VerticalGradient(cy - 21, cy + 21, c.top, c.bottom);
        p.FillAndOutline(2.5);
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, 1, 0.55);
        cairo_arc(cr, 0, -21, 15, 0, 2 * M_PI);
        cairo_restore(cr);
        p.SetColour(Rgb{1, 1, 1}, state == ButtonState::Disabled ? 0.15 : 0.35);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + direction * 11, cy);
        cairo_line_to(cr, cx - direction * 6, cy - 11);
        cairo_line_to(cr, cx - direction * 6, cy - 4.5);
        cairo_line_to(cr, cx - direction * 12, cy - 4.5);
        cairo_line_to(cr, cx - direction * 12, cy + 4.5);
        cairo_line_to(cr, cx - direction * 6, cy + 4.5);
        cairo_line_to(cr, cx - direction * 6, cy + 11);
        cairo_close_path(cr);
        p.SetColour(state == ButtonState::Disabled ? Rgb8(214, 212, 224) : Rgb{1, 1, 1});
        p.FillAndOutline(2);
        cairo_restore(cr);
    }
}

void CheckBox(PictureSet& set) {
    const int d = 34;
    cairo_surface_t* s = set.Add("Interface/CheckBox", d, d * 4, 1, 4);
    Painter p(s);
    cairo_t* cr = p.Cr();
    for (int i = 0; i < 4; ++i) {
        const bool highlighted = i % 2 == 1, checked = i >= 2;
        const double y = i * d;
        ClipFrame(p, 0, y, d, d);
        p.RoundedRect(4, y + 5, 27, 27, 7);
        p.SetColour(kInk, 0.45);
        cairo_fill(cr);
        if (highlighted) {
            p.RoundedRect(1, y + 1, 30, 30, 9);
            p.SetColour(Rgb8(255, 255, 190), 0.9);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        }
        p.RoundedRect(3, y + 3, 26, 26, 7);
        p.VerticalGradient(y + 3, y + 29, highlighted ? Rgb8(255, 255, 240) : Rgb8(246, 244, 255),
                           highlighted ? Rgb8(255, 226, 150) : Rgb8(196, 200, 236));
        p.FillAndOutline(2.5);
        if (checked) {
            cairo_new_path(cr);
            cairo_move_to(cr, 8, y + 16);
            cairo_line_to(cr, 14, y + 23);
            cairo_line_to(cr, 26, y + 7);
            p.SetColour(kInk);
            cairo_set_line_width(cr, 7);
            cairo_stroke_preserve(cr);
            p.SetColour(Rgb8(80, 200, 70));
            cairo_set_line_width(cr, 3.6);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
    }
}

void Slider(PictureSet& set) {
    const int w = 288, h = 28;
    cairo_surface_t* s = set.Add("Interface/Slider", w, h * 2, 1, 2);
    Painter p(s);
    cairo_t* cr = p.Cr();
    for (int i = 0; i < 2; ++i) {
        const double y = i * h;
        ClipFrame(p, 0, y, w, h);
        // The track runs over the 256 pixels between the thumb's two ends.
        p.RoundedRect(6, y + 7, w - 12, 15, 7.5);
        p.VerticalGradient(y + 7, y + 22, Rgb8(24, 22, 60), Rgb8(70, 74, 140));
        p.FillAndOutline(2.5);
        cairo_pattern_t* fill = cairo_pattern_create_linear(16, 0, w - 16, 0);
        cairo_pattern_add_color_stop_rgba(fill, 0, 0.55, 0.85, 1.0, i == 1 ? 0.7 : 0.45);
        cairo_pattern_add_color_stop_rgba(fill, 1, 1.0, 0.85, 0.35, i == 1 ? 0.7 : 0.45);
        p.RoundedRect(10, y + 11, w - 20, 7, 3.5);
        cairo_set_source(cr, fill);
        cairo_fill(cr);
        cairo_pattern_destroy(fill);
        for (int t = 0; t <= 8; ++t) {
            const double x = 16 + t * 32.0;
            cairo_move_to(cr, x, y + 23.5);
            cairo_line_to(cr, x, y + 26.5);
        }
        p.SetColour(Rgb{1, 1, 1}, 0.5);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    const int tw = 26, th = 34;
    cairo_surface_t* t = set.Add("Interface/SliderThumb", tw, th * 2, 1, 2);
    Painter q(t);
    for (int i = 0; i < 2; ++i) {
        const double y = i * th;
        ClipFrame(q, 0, y, tw, th);
        q.RoundedRect(5, y + 5, 18, 27, 8);
        q.SetColour(kInk, 0.4);
        cairo_fill(q.Cr());
        q.RoundedRect(3, y + 2, 18, 27, 8);
        const Rgb top = i == 1 ? Rgb8(255, 246, 170) : Rgb8(255, 214, 100);
        q.VerticalGradient(y + 2, y + 29, top, i == 1 ? Rgb8(255, 170, 70) : Rgb8(238, 130, 40));
        q.FillAndOutline(2.5);
        for (int g = 0; g < 3; ++g) {
            cairo_move_to(q.Cr(), 8, y + 11 + g * 4.5);
            cairo_line_to(q.Cr(), 16, y + 11 + g * 4.5);
        }
        q.SetColour(kInk, 0.5);
        cairo_set_line_width(q.Cr(), 1.5);
        cairo_stroke(q.Cr());
        cairo_restore(q.Cr());
    }
}

void SmallPieces(PictureSet& set) {
    {
        // Two frames side by side: the caret, then nothing. The caret keeps to the first frame.
        cairo_surface_t* s = set.Add("Interface/CursorBlink", 16, 26, 2, 1);
        Painter p(s);
        p.RoundedRect(2, 3, 4, 20, 2);
        p.VerticalGradient(3, 23, Rgb{1, 1, 1}, Rgb8(255, 226, 130));
        p.FillAndOutline(1.5);
    }
    {
        cairo_surface_t* s = set.Add("Interface/Fade", 32, 32);
        Painter p(s);
        p.SetColour(Rgb8(16, 12, 40), 0.6);
        cairo_paint(p.Cr());
    }
    {
        // Rows as for buttons: normal, under the mouse, disabled, and the active player in gold.
        const int w = 300, h = 36;
        cairo_surface_t* s = set.Add("Interface/ProfileItem", w, h * 4, 1, 4);
        Painter p(s);
        for (int i = 0; i < 4; ++i) {
            const double y = i * h;
            ClipFrame(p, 0, y, w, h);
            p.RoundedRect(4, y + 3, w - 8, h - 6, (h - 6) / 2.0);
            if (i == 3) {
                p.VerticalGradient(y + 3, y + h - 3, Rgb8(255, 236, 150), Rgb8(240, 160, 60), 0.95);
            } else if (i == 1) {
                p.VerticalGradient(y + 3, y + h - 3, Rgb8(190, 206, 255), Rgb8(110, 124, 220), 0.9);
            } else {
                p.VerticalGradient(y + 3, y + h - 3, Rgb8(150, 170, 255), Rgb8(80, 92, 190),
                                   i == 2 ? 0.35 : 0.75);
            }
            p.FillAndOutline(2);
            if (i == 1 || i == 3) {
                p.RoundedRect(5.5, y + 4.5, w - 11, h - 9, (h - 9) / 2.0);
                p.SetColour(Rgb8(255, 255, 210), i == 3 ? 0.7 : 0.55);
                cairo_set_line_width(p.Cr(), 1.5);
                cairo_stroke(p.Cr());
            }
            cairo_restore(p.Cr());
        }
    }
    {
        // The player greeting on the main menu is drawn by the game; this picture only gives it a hover glow.
        const int w = 340, h = 24;
        cairo_surface_t* s = set.Add("Interface/ChangeProfileTr", w, h * 4, 1, 4);
        Painter p(s);
        cairo_t* cr = p.Cr();
        for (int i = 0; i < 4; ++i) {
            const double y = i * h;
            ClipFrame(p, 0, y, w, h);
            // Alpha 2 of 255 everywhere keeps the hit mask solid while the picture stays invisible.
            cairo_set_source_rgba(cr, 1, 1, 1, 2 / 255.0);
            cairo_paint(cr);
            if (kButtonStates[i] == ButtonState::Highlighted || kButtonStates[i] == ButtonState::Pressed) {
                const double strength = kButtonStates[i] == ButtonState::Pressed ? 1.6 : 1.0;
                p.RoundedRect(6, y + 2, w - 12, h - 4, (h - 4) / 2.0);
                cairo_pattern_t* glow = cairo_pattern_create_linear(0, y + 2, 0, y + h - 2);
                cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 0.8, 0.35 * strength);
                cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.85, 0.4, 0.25 * strength);
                cairo_set_source(cr, glow);
                cairo_fill(cr);
                cairo_pattern_destroy(glow);
            }
            cairo_restore(cr);
        }
    }
}

void Buttons(PictureSet& set) {
    struct Look {
        const char* name;
        const char* label;
        double textSize;
        const ButtonColours& colours;
        bool menuSized;
    };
    const Look looks[] = {
        {"Continue", "CONTINUE", 20, kGreenButton, true},
        {"StartNew", "NEW GAME", 20, kOrangeButton, true},
        {"ClassicGame", "CLASSIC", 20, kOrangeButton, true},
        {"ArcadeGame", "ARCADE", 20, kOrangeButton, true},
        {"Options", "OPTIONS", 20, kBlueButton, true},
        {"Help", "HELP", 20, kBlueButton, true},
        {"Score", "HIGH SCORES", 20, kBlueButton, true},
        {"Exit", "EXIT", 20, kRedButton, true},
        {"BtnOk", "OK", 20, kGreenButton, false},
        {"BtnCancel", "CANCEL", 18, kRedButton, false},
        {"Yes", "YES", 20, kGreenButton, false},
        {"No", "NO", 20, kRedButton, false},
        {"Menu", "MENU", 20, kOrangeButton, false},
        {"Resume", "RESUME", 19, kGreenButton, false},
        {"Credits", "CREDITS", 18, kBlueButton, false},
        {"Clear", "CLEAR", 18, kRedButton, false},
        {"NewProfile", "NEW", 20, kGreenButton, false},
        {"DelProfile", "DELETE", 18, kRedButton, false},
    };
    for (const Look& look : looks) {
        FourLookButton(
            set, std::string("Interface/") + look.name, look.menuSized ? kMenuButtonWidth : kSmallButtonWidth,
            look.menuSized ? kMenuButtonHeight : kSmallButtonHeight, look.label, look.textSize, look.colours);
    }
    ArrowButton(set, "Interface/LArrow", -1);
    ArrowButton(set, "Interface/RArrow", 1);
}

// Origin of a dialog picture on the 800 x 600 screen (dialogs are centred).
double OriginX(const PanelSize& s) {
    return 400 - s.width / 2;
}
double OriginY(const PanelSize& s) {
    return 300 - s.height / 2;
}

Painter& Dialog(Painter& p, const PanelSize& s, const std::string& title, double ribbonWidth) {
    DrawPanelFrame(p, 6, 24, s.width - 16, s.height - 36);
    DrawTitleRibbon(p, s.width / 2.0 - 2, 26, title, ribbonWidth);
    return p;
}

void SmallDialogs(PictureSet& set) {
    {
        cairo_surface_t* s = set.Add("Interface/vSmlDialog", kSmallDialog.width, kSmallDialog.height);
        Painter p(s);
        Dialog(p, kSmallDialog, "PLEASE CONFIRM", 260);
        // A question mark badge on the left side.
        cairo_arc(p.Cr(), 50, 112, 20, 0, 2 * M_PI);
        p.VerticalGradient(92, 132, Rgb8(255, 236, 140), Rgb8(240, 160, 50));
        p.FillAndOutline(2.5);
        p.OutlinedText("?", 50, 122, 28, Rgb{1, 1, 1}, 2.5);
    }
    {
        cairo_surface_t* s = set.Add("Interface/EditDialog", kEditDialog.width, kEditDialog.height);
        Painter p(s);
        Dialog(p, kEditDialog, "NEW PLAYER", 240);
        TextFrom(p, "Type your name:", kEditDialog.width / 2.0, 86, 17, Rgb8(255, 240, 190), 0);
        DrawInset(p, 90, 105, 300, 40, 12);
    }
}

void PauseDialog(PictureSet& set) {
    const PanelSize d = kPauseDialog;
    cairo_surface_t* s = set.Add("Interface/PauseDlg", d.width, d.height);
    Painter p(s);
    Dialog(p, d, "PAUSED", 200);
    // A pause sign on the left: two bars in a round badge.
    cairo_t* cr = p.Cr();
    const double cx = 62, cy = 112;
    cairo_arc(cr, cx, cy, 24, 0, 2 * M_PI);
    p.VerticalGradient(cy - 24, cy + 24, Rgb8(150, 230, 110), Rgb8(52, 160, 64));
    p.FillAndOutline(2.5);
    for (int side = -1; side <= 1; side += 2) {
        p.RoundedRect(cx + side * 7 - 4, cy - 11, 8, 22, 3);
        p.SetColour(Rgb{1, 1, 1});
        p.FillAndOutline(2);
    }
}

void AimPictures(PictureSet& set) {
    {
        // White so the game can tint it with the colour about to be fired; the outline stays dark.
        cairo_surface_t* s = set.Add("Interface/AimDot", 16, 16);
        Painter p(s);
        cairo_arc(p.Cr(), 8, 8, 5.4, 0, 2 * M_PI);
        p.SetColour(Rgb{1, 1, 1});
        p.FillAndOutline(2.0);
    }
    {
        cairo_surface_t* s = set.Add("Interface/AimRing", 44, 44);
        Painter p(s);
        DrawInkedRing(p, 22, 22, 16.5, 2.8);
    }
}

void DemoLabel(PictureSet& set) {
    // A sign of the mode sign's kind, large enough to stand over the game's hints.
    const int w = 176, h = 150;
    cairo_surface_t* s = set.Add("Interface/DemoLabel", w, h);
    Painter p(s);
    p.RoundedRect(4, 4, w - 8, h - 8, 16);
    p.VerticalGradient(4, h - 4, Rgb8(255, 214, 120), Rgb8(214, 134, 52));
    p.FillAndOutline(3);
    p.RoundedRect(12, 12, w - 24, h - 24, 10);
    p.VerticalGradient(12, h - 12, Rgb8(98, 118, 222), Rgb8(52, 58, 150));
    p.FillAndOutline(2);
    const Rgb bottom = Rgb8(255, 180, 60);
    p.OutlinedText("DEMO", w / 2.0, 70, 38, Rgb8(255, 250, 210), 3.5, FontStyle::Bold, &bottom);
    for (int i = 0; i < 5; ++i) {
        p.Ball(w / 2.0 - 44 + i * 22, 96, 8, kBallColours[i], -1);
    }
    p.OutlinedText("press any key", w / 2.0, 128, 15, Rgb{1, 1, 1}, 2.2);
}

void OptionsDialog(PictureSet& set) {
    const PanelSize d = kOptionsDialog;
    cairo_surface_t* s = set.Add("Interface/OptionsDlg", d.width, d.height);
    Painter p(s);
    Dialog(p, d, "OPTIONS", 220);
    const double ox = OriginX(d), oy = OriginY(d);
    // White and of the game font's size, like the check boxes' labels the game writes beside them.
    const Rgb label{1, 1, 1};
    TextFrom(p, "Sound", 250 - ox, kSoundSliderY - oy + 6, 17, label, 1);
    TextFrom(p, "Music", 250 - ox, kMusicSliderY - oy + 6, 17, label, 1);
    // A thin rule and the difficulty heading.
    cairo_move_to(p.Cr(), 60, 258);
    cairo_line_to(p.Cr(), d.width - 70, 258);
    p.SetColour(Rgb{1, 1, 1}, 0.25);
    cairo_set_line_width(p.Cr(), 2);
    cairo_stroke(p.Cr());
    // The game writes the check boxes' labels itself, so a click on a word can toggle its box.
    TextFrom(p, "Difficulty", 400 - ox, 372 - oy + 7, 19, Rgb8(255, 214, 110), 0);
    // Small speaker and note marks at the right end of the sliders.
    p.OutlinedText("+", 560 - ox, kSoundSliderY - oy + 7, 20, label, 2);
    p.OutlinedText("+", 560 - ox, kMusicSliderY - oy + 7, 20, label, 2);
}

void CreditsDialog(PictureSet& set) {
    const PanelSize d = kCreditsDialog;
    cairo_surface_t* s = set.Add("Interface/CreditsDlg", d.width, d.height);
    Painter p(s);
    Dialog(p, d, "CREDITS", 220);
    const double cx = d.width / 2.0 - 2;
    const Rgb gold = Rgb8(255, 200, 60);
    p.OutlinedText("KORRIK SHOOTER", cx, 100, 32, Rgb8(255, 246, 190), 3.5, FontStyle::Bold, &gold);
    const Rgb soft = Rgb8(220, 228, 255);
    p.OutlinedText("made by the Korrik Shooter team", cx, 138, 17, Rgb{1, 1, 1}, 2.2);
    p.OutlinedText("Programming, pictures, sound and music", cx, 182, 16, soft, 2.2);
    p.OutlinedText("by the Korrik Shooter team,", cx, 204, 16, soft, 2.2);
    p.OutlinedText("every picture and tune made by our own generators", cx, 226, 14, soft, 2.0);
    p.OutlinedText("Lettering: DejaVu Sans font family", cx, 268, 16, soft, 2.2);
    p.OutlinedText("(free license, dejavu-fonts.github.io)", cx, 290, 14, soft, 2.0);
    p.OutlinedText("Thank you for playing!", cx, 330, 18, Rgb8(255, 226, 140), 2.2);
    for (int i = 0; i < 6; ++i) {
        p.Ball(cx - 75 + i * 30, 62, 10, kBallColours[i], i);
    }
}

void ProfileDialog(PictureSet& set) {
    const PanelSize d = kProfileDialog;
    cairo_surface_t* s = set.Add("Interface/ProfileDlg", d.width, d.height);
    Painter p(s);
    Dialog(p, d, "PLAYERS", 220);
    DrawInset(p, 90, 82, d.width - 190, 264, 16);
    TextFrom(p, "Click a name to play as that player", d.width / 2.0 - 2, 72, 14, Rgb8(220, 228, 255), 0);
}

void ScoreDialog(PictureSet& set) {
    const PanelSize d = kScoreDialog;
    cairo_surface_t* s = set.Add("Interface/ScoreDlg", d.width, d.height);
    Painter p(s);
    Dialog(p, d, "HIGH SCORES", 260);
    const double ox = OriginX(d), oy = OriginY(d);
    cairo_t* cr = p.Cr();
    const Rgb head = Rgb8(255, 214, 110);
    TextFrom(p, "RANK", kScoreNumberX - ox, 156 - oy, 14, head, 1);
    TextFrom(p, "NAME", kScoreNameX - ox, 156 - oy, 14, head, -1);
    TextFrom(p, "SCORE", kScoreX - ox, 156 - oy, 14, head, 1);
    for (int i = 0; i < 10; ++i) {
        const double y = kScoreTop + kScoreLineStep * i - oy;
        p.RoundedRect(kScoreNumberX - 50 - ox, y - 12, kScoreX - kScoreNumberX + 70, 24, 12);
        p.SetColour(Rgb{1, 1, 1}, i % 2 == 0 ? 0.10 : 0.05);
        cairo_fill(cr);
    }
    // Gold, silver and bronze for the first three places.
    const Rgb medals[3] = {Rgb8(255, 210, 60), Rgb8(220, 226, 240), Rgb8(222, 150, 90)};
    for (int i = 0; i < 3; ++i) {
        const double y = kScoreTop + kScoreLineStep * i - oy;
        p.Star(kScoreNumberX - 38 - ox, y, 9, 4, 5);
        p.SetColour(medals[i]);
        p.FillAndOutline(1.5);
    }
}

void EndDialog(PictureSet& set, const std::string& name, const std::string& title, bool won) {
    const PanelSize d = kEndDialog;
    cairo_surface_t* s = set.Add(name, d.width, d.height);
    Painter p(s);
    Dialog(p, d, title, 240);
    const char* labels[3] = {"SCORE", "BONUS", "TOTAL"};
    const double numberX = d.width * kEndNumberPercent / 100.0;
    for (int i = 0; i < 3; ++i) {
        const double y = d.height * kEndRowPercent[i] / 100.0;
        DrawInset(p, numberX - 12, y - 20, d.width - numberX - 30, 40, 14);
        TextFrom(p, labels[i], numberX - 26, y + 8, i == 2 ? 22 : 20,
                 i == 2 ? Rgb8(255, 214, 110) : Rgb{1, 1, 1}, 1);
    }
    cairo_move_to(p.Cr(), 50, d.height * 60.5 / 100.0);
    cairo_line_to(p.Cr(), d.width - 60, d.height * 60.5 / 100.0);
    p.SetColour(Rgb{1, 1, 1}, 0.3);
    cairo_set_line_width(p.Cr(), 2);
    cairo_stroke(p.Cr());
    // A small mood picture under the ribbon: stars for a win, a drooping ball for a loss.
    if (won) {
        for (int i = 0; i < 3; ++i) {
            p.Star(d.width / 2.0 - 2 + (i - 1) * 34, 76 - (i == 1 ? 6 : 0), i == 1 ? 15 : 11,
                   i == 1 ? 6.5 : 5, 5);
            p.VerticalGradient(56, 90, Rgb8(255, 246, 170), Rgb8(255, 180, 40));
            p.FillAndOutline(2);
        }
    } else {
        p.Ball(d.width / 2.0 - 2, 76, 16, kBallColours[0], -1);
        cairo_t* cr = p.Cr();
        // Closed, sad eyes.
        for (int e = -1; e <= 1; e += 2) {
            cairo_new_path(cr);
            cairo_arc_negative(cr, d.width / 2.0 - 2 + e * 6, 76, 3.5, M_PI * 0.15, M_PI * 0.85);
            p.SetColour(kInk);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
        }
        cairo_new_path(cr);
        cairo_arc(cr, d.width / 2.0 - 2, 89, 5, M_PI * 1.2, M_PI * 1.8);
        cairo_stroke(cr);
    }
}

void TableTitle(PictureSet& set, const std::string& name, const std::string& text, int icon) {
    cairo_surface_t* s = set.Add(name, 300, 52);
    Painter p(s);
    const Rgb bottom = icon == 0 ? Rgb8(150, 240, 120) : Rgb8(255, 180, 90);
    p.OutlinedText(text, 160, 38, 30, Rgb8(255, 255, 230), 3.2, FontStyle::Bold, &bottom);
    p.Ball(28, 26, 16, kBallColours[icon == 0 ? 2 : 1], icon == 0 ? 2 : 1);
}

void ProgressBar(PictureSet& set) {
    const int w = 420, h = 30;
    for (int line = 0; line < 2; ++line) {
        cairo_surface_t* s = set.Add(line == 0 ? "Interface/Nag/PBgrnImg" : "Interface/Nag/PLineImg", w, h);
        Painter p(s);
        cairo_t* cr = p.Cr();
        p.RoundedRect(2, 2, w - 4, h - 4, (h - 4) / 2.0);
        p.VerticalGradient(2, h - 2, Rgb8(24, 22, 60), Rgb8(60, 62, 130));
        p.FillAndOutline(2.5);
        if (line == 1) {
            p.RoundedRect(6, 6, w - 12, h - 12, (h - 12) / 2.0);
            p.VerticalGradient(6, h - 6, Rgb8(255, 236, 120), Rgb8(246, 140, 40));
            cairo_fill_preserve(cr);
            cairo_save(cr);
            cairo_clip(cr);
            for (int x = -20; x < w + 20; x += 22) {
                cairo_move_to(cr, x, h);
                cairo_line_to(cr, x + 10, h);
                cairo_line_to(cr, x + 24, 0);
                cairo_line_to(cr, x + 14, 0);
                cairo_close_path(cr);
            }
            p.SetColour(Rgb{1, 1, 1}, 0.22);
            cairo_fill(cr);
            p.RoundedRect(10, 8, w - 20, 5, 2.5);
            p.SetColour(Rgb{1, 1, 1}, 0.5);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    }
}

} // namespace

void DrawInterfaceArt(PictureSet& set) {
    Buttons(set);
    CheckBox(set);
    Slider(set);
    SmallPieces(set);
    SmallDialogs(set);
    OptionsDialog(set);
    PauseDialog(set);
    AimPictures(set);
    DemoLabel(set);
    CreditsDialog(set);
    ProfileDialog(set);
    ScoreDialog(set);
    EndDialog(set, "Interface/GameOverDlg", "GAME OVER", false);
    EndDialog(set, "Interface/GameComplDlg", "WELL DONE!", true);
    TableTitle(set, "Interface/ScoreClassic", "CLASSIC", 0);
    TableTitle(set, "Interface/ScoreArcade", "ARCADE", 1);
    ProgressBar(set);
}
