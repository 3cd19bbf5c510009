#pragma once
// The image-list unit: lists of equally sized images with masks, and the links that follow them.
#include "vcl/imglist/ChangeLink.h"
#include "vcl/imglist/ImageList.h"
#include "vcl/imglist/ImgListTypes.h"
