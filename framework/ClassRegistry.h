// The streaming class registry: classes that form resources and stored layouts may
// name. RegisterClass(TdxBar::StaticClass()); FindClass("TdxBar")->... Names are
// compared ignoring case. FindClass raises EClassNotFound "Class %s not found";
// GetClass gives null instead.
//
// Class groups keep families of classes apart: StartClassGroup(TControl) opens a
// group that the descendants of TControl register into (GroupDescendentsWith adds
// another base to a group), two groups may each hold a class of the same name, and
// GetClass looks only in the active groups: after ActivateClassGroup(C), the groups
// whose classes C belongs to. Every group is active until the first activation.
#pragma once

#include <initializer_list>
#include <string>

#include "framework/Exceptions.h"
#include "framework/Object.h"

SONVELT_EXCEPTION(EClassNotFound, Exception)

void RegisterClass(TClass AClass);
void RegisterClasses(std::initializer_list<TClass> AClasses);
void UnRegisterClass(TClass AClass);
TClass GetClass(const std::string& AClassName);
TClass FindClass(const std::string& ClassName);

void StartClassGroup(TClass AClass);
// Descendants of AClass go into the group that AClassGroup belongs to.
void GroupDescendentsWith(TClass AClass, TClass AClassGroup);
// Makes the groups AClass belongs to the active ones; gives the class that was
// activated before (null when none was).
TClass ActivateClassGroup(TClass AClass);
