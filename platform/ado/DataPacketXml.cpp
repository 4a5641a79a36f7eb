#include "platform/ado/DataPacketXml.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/ValueText.h"
#include "platform/ado/XmlFile.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <libxml/tree.h>

namespace ado {

namespace {

struct PacketType {
    const char* name;
    TFieldType type;
};

// The first entry of each type is the one written.
constexpr PacketType packetTypes[] = {
    {"string", TFieldType::ftString},   {"i4", TFieldType::ftInteger},
    {"i8", TFieldType::ftLargeint},     {"r8", TFieldType::ftFloat},
    {"boolean", TFieldType::ftBoolean}, {"dateTime", TFieldType::ftDateTime},
    {"bin.hex", TFieldType::ftBlob},    {"string.uni", TFieldType::ftString},
    {"i1", TFieldType::ftInteger},      {"i2", TFieldType::ftInteger},
    {"ui1", TFieldType::ftInteger},     {"ui2", TFieldType::ftInteger},
    {"ui4", TFieldType::ftLargeint},    {"ui8", TFieldType::ftLargeint},
    {"r4", TFieldType::ftFloat},        {"fixed", TFieldType::ftFloat},
    {"fixedFMT", TFieldType::ftFloat},  {"date", TFieldType::ftDateTime},
    {"time", TFieldType::ftDateTime},   {"SQLdateTime", TFieldType::ftDateTime},
};

TFieldType TypeOfPacketField(const std::string& name) {
    for (const PacketType& t : packetTypes)
        if (name == t.name)
            return t.type;
    // A type this engine does not model is still readable as its text.
    return TFieldType::ftString;
}

const char* PacketNameOf(TFieldType type) {
    for (const PacketType& t : packetTypes)
        if (t.type == type)
            return t.name;
    return "string";
}

[[noreturn]] void RaiseNotPacket(std::string_view fileName, const std::string& what) {
    throw EDatabaseError("\"" + std::string(fileName) + "\" is not a data packet: " + what);
}

} // namespace

TRowSet ParseDataPacket(const std::string& bytes, std::string_view fileName) {
    XmlDocPtr doc;
    try {
        doc = ParseXml(bytes, fileName);
    } catch (const EDatabaseError& e) {
        RaiseNotPacket(fileName, e.what());
    }
    xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!IsElement(root, "DATAPACKET"))
        RaiseNotPacket(fileName, "the document element is not DATAPACKET");
    xmlNode* fields = ChildElement(ChildElement(root, "METADATA"), "FIELDS");
    if (!fields)
        RaiseNotPacket(fileName, "METADATA/FIELDS is missing");

    TRowSet rows;
    std::vector<std::string> names;
    for (xmlNode* node = FirstElement(fields); node; node = NextElement(node)) {
        if (!IsElement(node, "FIELD"))
            continue;
        TColumn column;
        std::string type;
        if (!GetAttribute(node, "attrname", column.name) || column.name.empty())
            RaiseNotPacket(fileName, "a FIELD has no attrname");
        GetAttribute(node, "fieldtype", type);
        column.type = TypeOfPacketField(type);
        names.push_back(column.name);
        rows.columns.push_back(std::move(column));
    }
    if (xmlNode* rowData = ChildElement(root, "ROWDATA"))
        for (xmlNode* node = FirstElement(rowData); node; node = NextElement(node)) {
            if (!IsElement(node, "ROW"))
                continue;
            TRecord record;
            for (std::size_t i = 0; i < rows.columns.size(); ++i) {
                std::string text;
                if (!GetAttribute(node, names[i].c_str(), text))
                    continue;
                if (rows.columns[i].type == TFieldType::ftBoolean &&
                    (rtl::SameText(text, "TRUE") || rtl::SameText(text, "FALSE")))
                    record.Set(i, std::int64_t{rtl::SameText(text, "TRUE") ? 1 : 0});
                else
                    record.Set(i, TextToValue(text, rows.columns[i].type));
            }
            rows.records.push_back(std::move(record));
        }
    return rows;
}

void SaveDataPacket(const TRowSet& rows, std::string_view fileName) {
    XmlDocPtr doc = NewXmlDocument();
    xmlNode* root = xmlNewNode(nullptr, BAD_CAST "DATAPACKET");
    xmlDocSetRootElement(doc.get(), root);
    xmlNewProp(root, BAD_CAST "Version", BAD_CAST "2.0");
    xmlNode* fields = xmlNewChild(xmlNewChild(root, nullptr, BAD_CAST "METADATA", nullptr), nullptr,
                                  BAD_CAST "FIELDS", nullptr);
    for (const TColumn& column : rows.columns) {
        // Row attributes are named after the fields, so each name must be an XML name.
        if (!IsXmlText(column.name) || xmlValidateName(BAD_CAST column.name.c_str(), 0) != 0)
            throw EDatabaseError("'" + column.name + "' cannot name a field of a data packet");
        xmlNode* field = xmlNewChild(fields, nullptr, BAD_CAST "FIELD", nullptr);
        xmlNewProp(field, BAD_CAST "attrname", BAD_CAST column.name.c_str());
        xmlNewProp(field, BAD_CAST "fieldtype", BAD_CAST PacketNameOf(column.type));
    }
    xmlNode* rowData = xmlNewChild(root, nullptr, BAD_CAST "ROWDATA", nullptr);
    for (std::size_t r = 0; r < rows.records.size(); ++r) {
        xmlNode* row = xmlNewChild(rowData, nullptr, BAD_CAST "ROW", nullptr);
        for (std::size_t i = 0; i < rows.columns.size(); ++i) {
            const TFieldValue& value = rows.records[r].Value(i);
            if (std::holds_alternative<std::monostate>(value))
                continue;
            std::string text;
            if (rows.columns[i].type == TFieldType::ftBoolean && std::holds_alternative<std::int64_t>(value))
                text = std::get<std::int64_t>(value) != 0 ? "TRUE" : "FALSE";
            else
                text = ValueToText(value, rows.columns[i].type == TFieldType::ftBlob);
            if (!IsXmlText(text))
                throw EDatabaseError("The value of field '" + rows.columns[i].name + "' in record " +
                                     rtl::IntToStr(static_cast<long long>(r + 1)) +
                                     " cannot be written as XML text");
            xmlNewProp(row, BAD_CAST rows.columns[i].name.c_str(), BAD_CAST text.c_str());
        }
    }
    SaveXml(doc.get(), fileName);
}

} // namespace ado
