#include "decompiler/ClassStructureImpl.h"

#include <utility>

namespace products {
namespace zefra {
namespace decompiler {

namespace {

ClassStructureList viewOf(const OwnedClassStructureList& owned)
{
    ClassStructureList view;
    view.reserve(owned.size());
    for (const auto& node : owned) {
        view.push_back(node.get());
    }
    return view;
}

}

ClassStructureImpl::ClassStructureImpl(std::string text, NameAndLine nameAndLine, ClassMembers members)
    : _text(std::move(text)), _nameAndLine(std::move(nameAndLine)), _members(std::move(members))
{
}

// Inner classes are destroyed from a work list, not recursively, so that no
// nesting depth can exhaust the call stack.
ClassStructureImpl::~ClassStructureImpl()
{
    OwnedClassStructureList pending;
    moveInnerClassesInto(pending);
    while (!pending.empty()) {
        std::unique_ptr<ClassStructure> node = std::move(pending.back());
        pending.pop_back();
        if (auto* impl = dynamic_cast<ClassStructureImpl*>(node.get())) {
            impl->moveInnerClassesInto(pending);
        }
    }
}

void ClassStructureImpl::moveInnerClassesInto(OwnedClassStructureList& target)
{
    for (OwnedClassStructureList* list :
         {&_members.publicInnerClasses, &_members.protectedInnerClasses, &_members.privateInnerClasses}) {
        for (auto& node : *list) {
            target.push_back(std::move(node));
        }
        list->clear();
    }
}

const std::string& ClassStructureImpl::getText() const
{
    return _text;
}

NameAndLine ClassStructureImpl::getNameAndLine() const
{
    return _nameAndLine;
}

NameAndLineList ClassStructureImpl::getPublicMethods() const
{
    return _members.publicMethods;
}

NameAndLineList ClassStructureImpl::getProtectedMethods() const
{
    return _members.protectedMethods;
}

NameAndLineList ClassStructureImpl::getPrivateMethods() const
{
    return _members.privateMethods;
}

NameAndLineList ClassStructureImpl::getPublicFields() const
{
    return _members.publicFields;
}

NameAndLineList ClassStructureImpl::getProtectedFields() const
{
    return _members.protectedFields;
}

NameAndLineList ClassStructureImpl::getPrivateFields() const
{
    return _members.privateFields;
}

ClassStructureList ClassStructureImpl::getPublicInnerClasses() const
{
    return viewOf(_members.publicInnerClasses);
}

ClassStructureList ClassStructureImpl::getProtectedInnerClasses() const
{
    return viewOf(_members.protectedInnerClasses);
}

ClassStructureList ClassStructureImpl::getPrivateInnerClasses() const
{
    return viewOf(_members.privateInnerClasses);
}

bool ClassStructureImpl::isEmpty() const
{
    return _members.publicMethods.empty() && _members.protectedMethods.empty()
           && _members.privateMethods.empty() && _members.publicFields.empty()
           && _members.protectedFields.empty() && _members.privateFields.empty()
           && _members.publicInnerClasses.empty() && _members.protectedInnerClasses.empty()
           && _members.privateInnerClasses.empty();
}

}
}
}
