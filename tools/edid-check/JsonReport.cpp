#include "JsonReport.h"

namespace edidcheck {

namespace {

void writeMessages(JsonWriter& json, const std::vector<Finding>& findings) {
    json.beginArray();
    for (const Finding& finding : findings) {
        json.beginObject();
        json.key("key");
        json.string(finding.key);
        json.key("level");
        json.number(static_cast<unsigned>(finding.level));
        json.key("category");
        json.number(static_cast<unsigned>(finding.category));
        json.key("text");
        json.string(finding.text);
        json.endObject();
    }
    json.endArray();
}

void writeProperties(JsonWriter& json, const std::vector<Property>& properties) {
    json.beginArray();
    for (const Property& property : properties) {
        json.beginObject();
        json.key("name");
        json.string(property.name);
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

void appendJsonLine(JsonBuffer& out, const Examination& examination) {
    JsonWriter json(out);
    json.beginObject();
    json.key("source");
    json.string(examination.source);
    json.key("accessible");
    json.boolean(examination.accessible);
    json.key("ok");
    json.boolean(examination.ok);
    json.key("identifier");
    json.stringOrNull(examination.identifier);
    json.key("productName");
    json.string(examination.productName);
    json.key("serialNumber");
    json.string(examination.serialNumber);
    json.key("messages");
    writeMessages(json, examination.messages);
    json.key("properties");
    if (examination.propertiesJson.size() == 0) {
        writeProperties(json, examination.properties);
    } else {
        json.raw(examination.propertiesJson.view());
    }
    json.key("edidString");
    json.string(examination.edidString);
    json.key("edid");
    json.hexString(examination.edid);
    json.endObject();
}

}  // namespace edidcheck
