#include "JsonReport.h"

namespace edidcheck {

namespace {

void writeMessages(JsonWriter& json, const std::vector<Finding>& findings) {
    json.beginArray();
    for (const Finding& finding : findings) {
        json.beginObject();
        json.member("key", finding.key);
        json.member("level", static_cast<unsigned>(finding.level));
        json.member("category", static_cast<unsigned>(finding.category));
        json.member("text", finding.text);
        json.endObject();
    }
    json.endArray();
}

void writeProperties(JsonWriter& json, const std::vector<Property>& properties) {
    json.beginArray();
    for (const Property& property : properties) {
        json.beginObject();
        json.member("name", property.name);
        json.key("value");
        writeJson(json, property.value);
        json.endObject();
    }
    json.endArray();
}

}  // namespace

void writeJson(JsonWriter& json, const qor::QORValue& value) {
    switch (value.getType()) {
        case qor::QORValue::TYPE_BOOL: {
            bool flag = false;
            value.get(flag);
            json.boolean(flag);
            return;
        }
        case qor::QORValue::TYPE_UCHAR:
        case qor::QORValue::TYPE_USHORT:
        case qor::QORValue::TYPE_UINT: {
            unsigned int number = 0;
            value.get(number);
            json.number(number);
            return;
        }
        case qor::QORValue::TYPE_STRING_ARRAY:
            json.beginArray();
            for (std::size_t i = 0; i < value.getArraySize(); ++i) {
                json.string(value.getArrayItem(i).str());
            }
            json.endArray();
            return;
        case qor::QORValue::TYPE_NIL:
            json.null();
            return;
        case qor::QORValue::TYPE_STRING:
            json.string(value.getIfString()->str());
            return;
        case qor::QORValue::TYPE_MEASUREMENT:
            break;
    }
    json.string(value.toString(qor::QORValue::nilValue()).str());
}

void appendJsonLine(JsonBuffer& out, const Examination& examination,
                    const std::function<void(JsonWriter&)>& extraMembers) {
    JsonWriter json(out);
    json.beginObject();
    json.member("source", examination.source);
    json.key("accessible");
    json.boolean(examination.accessible);
    json.key("ok");
    json.boolean(examination.ok);
    json.key("identifier");
    json.stringOrNull(examination.identifier);
    json.member("productName", examination.productName);
    json.member("serialNumber", examination.serialNumber);
    json.key("messages");
    writeMessages(json, examination.messages);
    json.key("properties");
    if (examination.propertiesJson.size() == 0) {
        writeProperties(json, examination.properties);
    } else {
        json.raw(examination.propertiesJson.view());
    }
    json.member("edidString", examination.edidString);
    json.key("edid");
    json.hexString(examination.edid);
    if (extraMembers) {
        extraMembers(json);
    }
    json.endObject();
}

}  // namespace edidcheck
