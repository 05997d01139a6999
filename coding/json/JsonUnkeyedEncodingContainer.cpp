#include "coding/json/JsonUnkeyedEncodingContainer.h"

#include "coding/json/JsonEncodingNode.h"
#include "coding/json/JsonKeyedEncodingContainer.h"

namespace coding {

JsonUnkeyedEncodingContainer::JsonUnkeyedEncodingContainer(std::shared_ptr<JsonEncodedValue> array, CodingPath path,
                                                           std::shared_ptr<const JsonEncodingContext> context)
    : array_(std::move(array)), path_(std::move(path)), context_(std::move(context)),
      kept_(context_->keptElements && context_->keptElements->isKeptList(path_) ? context_->keptElements
                                                                                : nullptr) {}

std::int64_t JsonUnkeyedEncodingContainer::count() const { return static_cast<std::int64_t>(array_->elementCount()); }

CodingPath JsonUnkeyedEncodingContainer::nextPath() const {
    CodingPath path = path_;
    path.push_back(CodingKey::index(count()));
    return path;
}

void JsonUnkeyedEncodingContainer::encodeNil() { array_->appendElement()->setScalar(nullptr); }

void JsonUnkeyedEncodingContainer::encode(const EncodeItem& item) {
    if (kept_) {
        if (const std::optional<std::string_view> text = kept_->text(array_->elementCount())) {
            array_->appendElement()->setText(*text);
            return;
        }
    }
    CodingPath path = nextPath();
    JsonEncodingNode::encodeItem(item, array_->appendElement(), path, context_);
}

std::shared_ptr<KeyedEncodingContainerBox> JsonUnkeyedEncodingContainer::nestedContainer(const KeySet&) {
    CodingPath path = nextPath();
    auto element = array_->appendElement();
    element->becomeObject();
    return std::make_shared<JsonKeyedEncodingContainer>(std::move(element), std::move(path), context_);
}

std::shared_ptr<UnkeyedEncodingContainerBox> JsonUnkeyedEncodingContainer::nestedUnkeyedContainer() {
    CodingPath path = nextPath();
    auto element = array_->appendElement();
    element->becomeArray();
    return std::make_shared<JsonUnkeyedEncodingContainer>(std::move(element), std::move(path), context_);
}

// The element takes its place now, so elements keep the order of the calls.
std::shared_ptr<Encoder> JsonUnkeyedEncodingContainer::superEncoder() {
    CodingPath path = nextPath();
    return std::make_shared<JsonEncodingNode>(array_->appendElement(), std::move(path), context_);
}

} // namespace coding
