#include "platform/ado/RecordsetXml.h"

#include "platform/ado/DatabaseError.h"
#include "platform/ado/ValueText.h"
#include "platform/ado/XmlFile.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <libxml/tree.h>

#include <algorithm>
#include <new>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace ado {

namespace {

constexpr char schemaNamespace[] = "urn:tarnwick:rowset-schema";
constexpr char dataTypeNamespace[] = "urn:tarnwick:rowset-datatypes";
constexpr char rowsetNamespace[] = "urn:tarnwick:rowset";
constexpr char rowNamespace[] = "#RowsetSchema";

struct DataType {
    const char* name;
    TFieldType type;
};

// The first entry of each field type is the one written.
constexpr DataType dataTypes[] = {
    {"string", TFieldType::ftString},
    {"int", TFieldType::ftInteger},
    {"i8", TFieldType::ftLargeint},
    {"float", TFieldType::ftFloat},
    {"boolean", TFieldType::ftBoolean},
    {"dateTime", TFieldType::ftDateTime},
    {"bin.hex", TFieldType::ftBlob},
    {"i1", TFieldType::ftInteger},
    {"i2", TFieldType::ftInteger},
    {"i4", TFieldType::ftInteger},
    {"ui1", TFieldType::ftInteger},
    {"ui2", TFieldType::ftInteger},
    {"ui4", TFieldType::ftLargeint},
    {"ui8", TFieldType::ftLargeint},
    {"r4", TFieldType::ftFloat},
    {"r8", TFieldType::ftFloat},
    {"number", TFieldType::ftFloat},
    {"fixed.14.4", TFieldType::ftFloat},
    {"date", TFieldType::ftDateTime},
    {"time", TFieldType::ftDateTime},
    {"dateTime.tz", TFieldType::ftDateTime},
    {"uuid", TFieldType::ftString},
};

const char* NameOfType(TFieldType type) {
    for (const DataType& t : dataTypes)
        if (t.type == type)
            return t.name;
    return "string";
}

// A type this layer does not model still reads as its text.
TFieldType TypeOfName(const std::string& name) {
    for (const DataType& t : dataTypes)
        if (name == t.name)
            return t.type;
    return TFieldType::ftString;
}

bool HasLocalName(const xmlNode* node, const char* name) {
    return node && node->type == XML_ELEMENT_NODE && xmlStrEqual(node->name, BAD_CAST name);
}

xmlNode* ChildByLocalName(xmlNode* parent, const char* name) {
    for (xmlNode* node = FirstElement(parent); node; node = NextElement(node))
        if (HasLocalName(node, name))
            return node;
    return nullptr;
}

// A prefixed attribute (rs:number, dt:type) by its local name, whatever its namespace URI.
bool GetPrefixedAttribute(xmlNode* node, const char* name, std::string& value) {
    for (xmlAttr* attr = node->properties; attr; attr = attr->next)
        if (attr->ns && xmlStrEqual(attr->name, BAD_CAST name)) {
            xmlChar* text = xmlNodeListGetString(node->doc, attr->children, 1);
            value = text ? reinterpret_cast<const char*>(text) : "";
            xmlFree(text);
            return true;
        }
    return false;
}

std::string AttributeFor(const std::string& columnName, std::size_t index, std::set<std::string>& used) {
    std::string name = columnName;
    if (name.empty() || xmlValidateNCName(BAD_CAST name.c_str(), 0) != 0 || used.count(name))
        name = "c" + rtl::IntToStr(static_cast<long long>(index));
    while (used.count(name))
        name = "_" + name;
    used.insert(name);
    return name;
}

[[noreturn]] void RaiseFormat(std::string_view fileName, const std::string& what) {
    throw EDatabaseError("\"" + std::string(fileName) + "\" is not a persisted recordset: " + what);
}

std::string ValueText(const TFieldValue& value, TFieldType type) {
    if (type == TFieldType::ftBoolean)
        if (const auto* i = std::get_if<std::int64_t>(&value))
            return *i != 0 ? "True" : "False";
    return ValueToText(value, type == TFieldType::ftBlob);
}

TFieldValue ReadValue(const std::string& text, TFieldType type) {
    if (type == TFieldType::ftBoolean) {
        if (rtl::SameText(text, "true"))
            return std::int64_t{1};
        if (rtl::SameText(text, "false"))
            return std::int64_t{0};
    }
    return TextToValue(text, type);
}

struct Column {
    TColumn column;
    std::string attribute;
    long long number = 0;
};

std::vector<Column> ReadSchema(xmlNode* elementType, std::string_view fileName) {
    std::vector<Column> columns;
    std::unordered_set<std::string> attributes;
    for (xmlNode* node = FirstElement(elementType); node; node = NextElement(node)) {
        if (!HasLocalName(node, "AttributeType"))
            continue;
        Column c;
        if (!GetAttribute(node, "name", c.attribute) || c.attribute.empty())
            RaiseFormat(fileName, "an AttributeType has no name");
        if (!GetPrefixedAttribute(node, "name", c.column.name))
            c.column.name = c.attribute;
        std::string number;
        if (GetPrefixedAttribute(node, "number", number)) {
            try {
                c.number = rtl::StrToInt64(number);
            } catch (const rtl::EConvertError&) {
                RaiseFormat(fileName, "column '" + c.column.name + "' has the position '" + number + "'");
            }
        }
        std::string type;
        xmlNode* dataType = ChildByLocalName(node, "datatype");
        if ((dataType && GetPrefixedAttribute(dataType, "type", type)) ||
            GetPrefixedAttribute(node, "type", type))
            c.column.type = TypeOfName(type);
        if (!attributes.insert(c.attribute).second)
            RaiseFormat(fileName, "two columns use the attribute '" + c.attribute + "'");
        columns.push_back(std::move(c));
    }
    // Positions are optional; when every column has one they decide the column order.
    if (std::all_of(columns.begin(), columns.end(), [](const Column& c) { return c.number > 0; }))
        std::stable_sort(columns.begin(), columns.end(),
                         [](const Column& a, const Column& b) { return a.number < b.number; });
    return columns;
}

} // namespace

void SaveRecordsetXml(const TRowSet& rows, std::string_view fileName) {
    XmlDocPtr doc = NewXmlDocument();
    xmlNode* root = xmlNewNode(nullptr, BAD_CAST "xml");
    xmlDocSetRootElement(doc.get(), root);
    xmlNs* s = xmlNewNs(root, BAD_CAST schemaNamespace, BAD_CAST "s");
    xmlNs* dt = xmlNewNs(root, BAD_CAST dataTypeNamespace, BAD_CAST "dt");
    xmlNs* rs = xmlNewNs(root, BAD_CAST rowsetNamespace, BAD_CAST "rs");
    xmlNs* z = xmlNewNs(root, BAD_CAST rowNamespace, BAD_CAST "z");

    xmlNode* schema = xmlNewChild(root, s, BAD_CAST "Schema", nullptr);
    xmlNewProp(schema, BAD_CAST "id", BAD_CAST "RowsetSchema");
    xmlNode* elementType = xmlNewChild(schema, s, BAD_CAST "ElementType", nullptr);
    xmlNewProp(elementType, BAD_CAST "name", BAD_CAST "row");
    xmlNewProp(elementType, BAD_CAST "content", BAD_CAST "eltOnly");
    std::set<std::string> used;
    std::vector<std::string> attributes;
    for (std::size_t i = 0; i < rows.columns.size(); ++i) {
        const TColumn& column = rows.columns[i];
        if (!IsXmlText(column.name))
            throw EDatabaseError("The name of column " + rtl::IntToStr(static_cast<long long>(i + 1)) +
                                 " cannot be written as XML text");
        attributes.push_back(AttributeFor(column.name, i + 1, used));
        xmlNode* node = xmlNewChild(elementType, s, BAD_CAST "AttributeType", nullptr);
        xmlNewProp(node, BAD_CAST "name", BAD_CAST attributes.back().c_str());
        if (attributes.back() != column.name)
            xmlNewNsProp(node, rs, BAD_CAST "name", BAD_CAST column.name.c_str());
        xmlNewNsProp(node, rs, BAD_CAST "number",
                     BAD_CAST rtl::IntToStr(static_cast<long long>(i + 1)).c_str());
        xmlNewNsProp(node, rs, BAD_CAST "nullable", BAD_CAST "true");
        xmlNewNsProp(node, rs, BAD_CAST "writeunknown", BAD_CAST "true");
        xmlNode* dataType = xmlNewChild(node, s, BAD_CAST "datatype", nullptr);
        xmlNewNsProp(dataType, dt, BAD_CAST "type", BAD_CAST NameOfType(column.type));
    }
    xmlNode* extends = xmlNewChild(elementType, s, BAD_CAST "extends", nullptr);
    xmlNewProp(extends, BAD_CAST "type", BAD_CAST "rs:rowbase");

    xmlNode* data = xmlNewChild(root, rs, BAD_CAST "data", nullptr);
    for (std::size_t r = 0; r < rows.records.size(); ++r) {
        xmlNode* row = xmlNewChild(data, z, BAD_CAST "row", nullptr);
        for (std::size_t i = 0; i < rows.columns.size(); ++i) {
            const TFieldValue& value = rows.records[r].Value(i);
            if (std::holds_alternative<std::monostate>(value))
                continue;
            const std::string text = ValueText(value, rows.columns[i].type);
            if (!IsXmlText(text))
                throw EDatabaseError("The value of column '" + rows.columns[i].name + "' in record " +
                                     rtl::IntToStr(static_cast<long long>(r + 1)) +
                                     " cannot be written as XML text");
            xmlNewProp(row, BAD_CAST attributes[i].c_str(), BAD_CAST text.c_str());
        }
    }
    SaveXml(doc.get(), fileName);
}

namespace {

// Only the attributes a row carries are visited, so a row costs what it holds, not the width of the
// schema.
TRecord ReadRow(xmlNode* row, const std::unordered_map<std::string, std::size_t>& columnOf,
                const std::vector<Column>& columns) {
    std::vector<std::pair<std::size_t, std::string>> present;
    for (xmlAttr* attr = row->properties; attr; attr = attr->next) {
        if (attr->ns)
            continue;
        const auto column = columnOf.find(reinterpret_cast<const char*>(attr->name));
        if (column == columnOf.end())
            continue;
        xmlChar* text = xmlNodeListGetString(row->doc, attr->children, 1);
        present.emplace_back(column->second, text ? reinterpret_cast<const char*>(text) : "");
        xmlFree(text);
    }
    std::sort(present.begin(), present.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    TRecord record;
    for (const auto& [column, text] : present)
        record.Set(column, ReadValue(text, columns[column].column.type));
    return record;
}

TRowSet ReadRecordset(std::string_view fileName) {
    std::string bytes;
    try {
        bytes = rtl::ReadFileBytes(fileName);
    } catch (const rtl::EInOutError& e) {
        throw EDatabaseError(e.what());
    }
    XmlDocPtr doc = ParseXml(bytes, fileName);
    std::string().swap(bytes);
    xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!HasLocalName(root, "xml"))
        RaiseFormat(fileName, "the document element is not xml");
    xmlNode* schema = ChildByLocalName(root, "Schema");
    if (!schema)
        RaiseFormat(fileName, "the Schema is missing");
    xmlNode* elementType = nullptr;
    for (xmlNode* node = FirstElement(schema); node && !elementType; node = NextElement(node)) {
        std::string name;
        if (HasLocalName(node, "ElementType") && GetAttribute(node, "name", name) && name == "row")
            elementType = node;
    }
    if (!elementType)
        RaiseFormat(fileName, "the Schema describes no row");

    const std::vector<Column> columns = ReadSchema(elementType, fileName);
    TRowSet rows;
    std::unordered_map<std::string, std::size_t> columnOf;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        rows.columns.push_back(columns[i].column);
        columnOf.emplace(columns[i].attribute, i);
    }
    if (xmlNode* data = ChildByLocalName(root, "data"))
        for (xmlNode* node = FirstElement(data); node; node = NextElement(node))
            if (HasLocalName(node, "row"))
                rows.records.push_back(ReadRow(node, columnOf, columns));
    return rows;
}

} // namespace

TRowSet LoadRecordsetXml(std::string_view fileName) {
    try {
        return ReadRecordset(fileName);
    } catch (const std::bad_alloc&) {
        throw EDatabaseError("Out of memory reading the recordset \"" + std::string(fileName) + "\"");
    }
}

} // namespace ado
