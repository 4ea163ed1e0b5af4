// The streaming class registry: classes that form resources and stored layouts may
// name. RegisterClass(TdxBar::StaticClass()); FindClass("TdxBar")->... Names are
// compared ignoring case. FindClass raises EClassNotFound "Class %s not found";
// GetClass gives null instead.
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
