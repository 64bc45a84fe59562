#include "core/library/menu_stream.h"

#include "core/platform/record_buffer.h"

namespace kestro {

namespace {

std::vector<CMenuItem> ReadLevel(CRecordBuffer& in, int depth) {
    std::vector<CMenuItem> items;
    while (in.Remaining() > 0) {
        const bool cutOff = in.Remaining() < 2;
        const int16_t code = in.Get<int16_t>();
        if (code == CMenuItem::kSeparatorCode) {
            items.push_back(CMenuItem::Separator());
            continue;
        }
        std::string label;
        in.String(label);
        if (code != CMenuItem::kPopupCode) {
            items.push_back(CMenuItem::Element(code, label));
            if (cutOff) break;  // the cursor cannot move on
            continue;
        }
        CRecordBuffer nested;
        in.Nested(nested);
        items.push_back(CMenuItem::Popup(label, depth < kMaxMenuDepth ? ReadLevel(nested, depth + 1)
                                                                      : std::vector<CMenuItem>{}));
    }
    return items;
}

void WriteLevel(CRecordBuffer& out, const std::vector<CMenuItem>& items) {
    for (const auto& item : items) {
        switch (item.kind) {
            case CMenuItem::Kind::Separator:
                out.Put<int16_t>(CMenuItem::kSeparatorCode);
                break;
            case CMenuItem::Kind::Element:
                out.Put<int16_t>(item.code);
                out.PutString(item.label);
                break;
            case CMenuItem::Kind::Popup: {
                out.Put<int16_t>(CMenuItem::kPopupCode);
                out.PutString(item.label);
                CRecordBuffer nested;
                WriteLevel(nested, item.children);
                out.Nested(nested);
                break;
            }
        }
    }
}

}  // namespace

CMenuItem CMenuItem::Popup(std::string label, std::vector<CMenuItem> children) {
    return {Kind::Popup, kPopupCode, std::move(label), std::move(children)};
}

CMenuItem CMenuItem::Separator() {
    return {Kind::Separator, kSeparatorCode, {}, {}};
}

CMenuItem CMenuItem::Element(int16_t code, std::string label) {
    return {Kind::Element, code, std::move(label), {}};
}

std::vector<CMenuItem> ReadMenuStream(const uint8_t* data, size_t size) {
    CRecordBuffer in(BufferMode::Load);
    in.Assign(data, size);
    return ReadLevel(in, 0);
}

void PrepareMenuForSaving(std::vector<CMenuItem>& items, const CMenuNameLookup& nameOf) {
    for (CMenuItem& item : items) {
        switch (item.kind) {
            case CMenuItem::Kind::Popup:
                PrepareMenuForSaving(item.children, nameOf);
                if (item.children.empty()) item = CMenuItem::Separator();
                break;
            case CMenuItem::Kind::Element:
                if (nameOf)
                    if (std::optional<std::string> name = nameOf(item.code)) item.label = *name;
                break;
            case CMenuItem::Kind::Separator:
                break;
        }
    }
}

std::vector<uint8_t> WriteMenuStream(const std::vector<CMenuItem>& items) {
    CRecordBuffer out;
    WriteLevel(out, items);
    return std::vector<uint8_t>(out.Data(), out.Data() + out.Length());
}

}  // namespace kestro
