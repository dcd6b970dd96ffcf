#pragma once
// The mixin through which anything that draws reaches the built-in shader
// list: one pointer, filled when the owner is constructed.
namespace Resource {

class ShaderList;

class ShaderResource {
public:
    // From the resource service; null while there is none.
    ShaderResource();

    // The process's one list; the resource service must exist.
    static ShaderList& sharedList();

protected:
    ShaderList* shaderList;
};

}  // namespace Resource
