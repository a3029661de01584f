#include "ZoHelpDialog.h"

ZoParagraph* ZoHelpDialog::AddParagraph(std::unique_ptr<ZoParagraph> paragraph) {
    if (paragraph == nullptr) {
        return nullptr;
    }
    paragraphs.push_back(std::move(paragraph));
    return paragraphs.back().get();
}

void ZoHelpDialog::Update(std::int32_t elapsed) {
    ZoPanel::Update(elapsed);
    for (auto& picture : pictures) {
        picture->Update(elapsed);
    }
}

void ZoHelpDialog::Draw() {
    ZoPanel::Draw();
    for (auto& paragraph : paragraphs) {
        paragraph->alpha = alpha;
        paragraph->Draw();
    }
    for (auto& picture : pictures) {
        picture->alpha = alpha;
        picture->Draw();
    }
}
