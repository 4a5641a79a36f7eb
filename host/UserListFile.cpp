#include "host/UserListFile.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileSystem.h"

#include <libxml/xmlwriter.h>

#include <memory>

namespace host {

namespace {

const xmlChar* X(const char* s) {
    return reinterpret_cast<const xmlChar*>(s);
}

void Check(int rc) {
    if (rc < 0)
        throw rtl::Exception("cannot write the person list");
}

} // namespace

void WriteUserListFile(const std::string& fileName, const std::vector<std::string>& perUUIDs) {
    std::unique_ptr<xmlBuffer, decltype(&xmlBufferFree)> buffer(xmlBufferCreate(), xmlBufferFree);
    if (!buffer)
        throw rtl::Exception("out of memory");
    {
        std::unique_ptr<xmlTextWriter, decltype(&xmlFreeTextWriter)> w(
            xmlNewTextWriterMemory(buffer.get(), 0), xmlFreeTextWriter);
        if (!w)
            throw rtl::Exception("out of memory");
        xmlTextWriterPtr p = w.get();
        Check(xmlTextWriterStartElement(p, X("xml")));
        Check(xmlTextWriterWriteAttribute(p, X("xmlns:s"), X("urn:tarnwick:rowset-schema")));
        Check(xmlTextWriterWriteAttribute(p, X("xmlns:dt"), X("urn:tarnwick:rowset-datatypes")));
        Check(xmlTextWriterWriteAttribute(p, X("xmlns:rs"), X("urn:tarnwick:rowset")));
        Check(xmlTextWriterWriteAttribute(p, X("xmlns:z"), X("#RowsetSchema")));
        Check(xmlTextWriterStartElement(p, X("s:Schema")));
        Check(xmlTextWriterWriteAttribute(p, X("id"), X("RowsetSchema")));
        Check(xmlTextWriterStartElement(p, X("s:ElementType")));
        Check(xmlTextWriterWriteAttribute(p, X("name"), X("row")));
        Check(xmlTextWriterWriteAttribute(p, X("content"), X("eltOnly")));
        Check(xmlTextWriterStartElement(p, X("s:AttributeType")));
        Check(xmlTextWriterWriteAttribute(p, X("name"), X("PerUUID")));
        Check(xmlTextWriterWriteAttribute(p, X("rs:number"), X("1")));
        Check(xmlTextWriterWriteAttribute(p, X("rs:nullable"), X("true")));
        Check(xmlTextWriterStartElement(p, X("s:datatype")));
        Check(xmlTextWriterWriteAttribute(p, X("dt:type"), X("string")));
        Check(xmlTextWriterWriteAttribute(p, X("dt:maxLength"), X("50")));
        Check(xmlTextWriterEndElement(p)); // datatype
        Check(xmlTextWriterEndElement(p)); // AttributeType
        Check(xmlTextWriterStartElement(p, X("s:extends")));
        Check(xmlTextWriterWriteAttribute(p, X("type"), X("rs:rowbase")));
        Check(xmlTextWriterEndElement(p));
        Check(xmlTextWriterEndElement(p)); // ElementType
        Check(xmlTextWriterEndElement(p)); // Schema
        Check(xmlTextWriterStartElement(p, X("rs:data")));
        for (const std::string& id : perUUIDs) {
            Check(xmlTextWriterStartElement(p, X("z:row")));
            Check(xmlTextWriterWriteAttribute(p, X("PerUUID"), X(id.c_str())));
            Check(xmlTextWriterEndElement(p));
        }
        Check(xmlTextWriterEndDocument(p));
    }
    rtl::WriteFileBytes(fileName, std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                                              static_cast<std::size_t>(xmlBufferLength(buffer.get()))));
}

} // namespace host
