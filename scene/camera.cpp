#include "scene/camera.h"

#include "gfx/gl.h"

Camera::Camera(Vec3d eyePosition, Vec3d viewDirection, Vec3d upVector)
    : eye(eyePosition), direction(viewDirection), up(upVector)
{
    Update();
}

void Camera::Update()
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, eye.x + direction.x, eye.y + direction.y, eye.z + direction.z,
              up.x, up.y, up.z);
    glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix.m);
    glPopMatrix();
}
