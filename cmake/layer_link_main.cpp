// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the layer link checks (cmake/ventoral_layer.cmake):
// what matters is that they link; they are never run.
int main()
{
    return 0;
}
