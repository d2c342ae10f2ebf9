#include "JsonReport.h"

namespace edidcheck {

namespace {

// Members are assigned one by one: a braced initializer list would copy every nested value.
Json messagesJson(const std::vector<Finding>& findings) {
    Json messages = Json::array();
    for (const Finding& finding : findings) {
        Json& message = messages.emplace_back(Json::object());
        message["key"] = finding.key;
        message["level"] = finding.level;
        message["category"] = finding.category;
        message["text"] = finding.text;
    }
    return messages;
}

Json propertiesJson(const std::vector<Property>& properties) {
    Json list = Json::array();
    for (const Property& property : properties) {
        Json& entry = list.emplace_back(Json::object());
        entry["name"] = property.name;
        entry["value"] = toJson(property.value);
    }
    return list;
}

}  // namespace

Json toJson(const qor::QORValue& value) {
    switch (value.getType()) {
        case qor::QORValue::TYPE_BOOL: {
            bool flag = false;
            value.get(flag);
            return flag;
        }
        case qor::QORValue::TYPE_UCHAR:
        case qor::QORValue::TYPE_USHORT:
        case qor::QORValue::TYPE_UINT: {
            unsigned int number = 0;
            value.get(number);
            return number;
        }
        case qor::QORValue::TYPE_STRING_ARRAY: {
            Json items = Json::array();
            for (std::size_t i = 0; i < value.getArraySize(); ++i) {
                items.push_back(value.getArrayItem(i).str());
            }
            return items;
        }
        case qor::QORValue::TYPE_NIL:
            return nullptr;
        case qor::QORValue::TYPE_STRING:
        case qor::QORValue::TYPE_MEASUREMENT:
            break;
    }
    return value.toString(qor::QORValue::nilValue()).str();
}

Json toJson(const Examination& examination) {
    Json object = Json::object();
    object["source"] = examination.source;
    object["accessible"] = examination.accessible;
    object["ok"] = examination.ok;
    object["identifier"] = examination.identifier ? Json(*examination.identifier) : Json();
    object["productName"] = examination.productName;
    object["serialNumber"] = examination.serialNumber;
    object["messages"] = messagesJson(examination.messages);
    object["properties"] = propertiesJson(examination.properties);
    object["edidString"] = examination.edidString;
    object["edid"] = lowerHex(examination.edid);
    return object;
}

std::string jsonLine(const Examination& examination) {
    return toJson(examination).dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string lowerHex(const std::vector<unsigned char>& bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace edidcheck
