// The OLE container of the main window as the handlers see it: one slot
// that holds at most one embedded object. The platform layer implements it
// (OleContainerTarvelAX on Windows).
#pragma once

#include <string>

namespace tarvelax {

class ObjectHost {
public:
  virtual ~ObjectHost() = default;

  // Closes the object held, asking it to save itself into the container's
  // own storage in memory if it changed; the closed object stays held.
  virtual void CloseObject() = 0;

  // Resolves progId to a class first (throws ContainerError with the
  // platform's text when no class is registered under it, and nothing else
  // happens), then destroys any object held and creates the new one in the
  // container. When creation fails the container is left empty and
  // ContainerError is thrown.
  virtual void CreateObject(const std::string& progId) = 0;

  // Enables and shows the container, sizes the object to it and performs the
  // show verb (-1) on the object: in-place activation in the client area.
  // Throws ContainerError when the object fails to show.
  virtual void ShowObject() = 0;

  // Closes the object held without saving and releases it; nothing happens
  // when the container is empty.
  virtual void DestroyObject() = 0;
};

}  // namespace tarvelax
